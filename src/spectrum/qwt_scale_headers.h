#pragma once
// Qwt 6.1's headers use a destructor form that C++20 rejects; marking this wrapper as a system
// header lets them compile as they stand.
#pragma GCC system_header

#include "spectrum/layer.h"

#include <qwt_plot.h>
#include <qwt_scale_draw.h>
#include <qwt_text.h>
