#pragma once

// The layer-shell client code for C++: one argument of the protocol is
// called "namespace", a C++ keyword.

#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
