#pragma once

// Limits the reader process puts on itself before it parses the file, one file per platform.
void hardenReaderProcess();
