/* A library outside the system folders, unsigned, for the probe reader to try to load. */
__declspec(dllexport) int readerProbeLibrary(void)
{
    return 1;
}
