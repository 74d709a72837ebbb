#pragma once

// The X keyboard extension's client header, which names a field `explicit`, a word of C++: it is
// read with that word spelled otherwise, as Qt reads it too. clang warns of any macro named like
// a keyword, which here is the point.
#include <xcb/xcb.h>
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit explicit_field
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
