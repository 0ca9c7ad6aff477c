#pragma once

// The Qt backend's constructors of the toolkit objects and its platform
// services, from the list every backend shares.

#define RT_BACKEND_NAMESPACE rtqt
#include "runtime/BackendToolkit.h"
#undef RT_BACKEND_NAMESPACE
