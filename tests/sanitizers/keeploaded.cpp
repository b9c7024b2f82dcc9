// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every program of the sanitizer build. LeakSanitizer looks for leaks when the
// program ends; memory that a library keeps in its own globals is reachable until then,
// unless the library was unloaded first: Mesa's software OpenGL driver (swrast_dri.so),
// unloaded by GLX when the display closes, leaves its memory looking leaked and its
// allocations without a name ("<unknown module>"). With unloading turned off every library
// stays to the end, so its memory is seen as reachable and a real leak keeps its stack.
extern "C" int dlclose(void*)
{
    return 0;
}
