#pragma once
// The one entry point every control library exports. The program loads a library by name and
// calls its entry point with its control registry; the library registers the window classes it
// provides ("Knob", "Meter", "Gauge") together with a function that makes such a control.
// Plain C types only, so that the program and the libraries need not share a compiler's C++ ABI.

#ifdef __cplusplus
extern "C" {
#endif

// Makes a control of the registered class as a child of `parentWidget` (a QWidget*); null when
// the library cannot make one yet.
typedef void* (*TarkelCreateControlFn)(void* parentWidget);

// Registers `className` in `registry`; returns 0 when the name is taken.
typedef int (*TarkelRegisterControlFn)(void* registry, const char* className, TarkelCreateControlFn create);

// The exported entry point: registers the library's classes; returns 0 on failure.
typedef int (*TarkelControlLibraryInitFn)(void* registry, TarkelRegisterControlFn registerControl);

#define TARKEL_CONTROL_LIBRARY_INIT "TarkelControlLibraryInit"

#ifdef __cplusplus
}
#endif
