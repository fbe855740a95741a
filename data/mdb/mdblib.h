#pragma once

// libmdb's header, for C++. libmdb 1.0.0 includes <glib.h> inside extern "C", so GLib must
// come first; a libmdb built without GLib (as for Windows) brings its own stand-in instead.
#if !__has_include(<mdbfakeglib.h>)
#include <glib.h>
#endif
#include <mdbtools.h>
