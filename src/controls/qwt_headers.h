#pragma once

// The Qwt headers the graph uses. Qwt 6.1's series headers (qwt_plot_curve.h and the others built
// on qwt_series_store.h) declare a destructor as a template-id, which C++20 rejects, so the graph
// draws its traces with a plot item of its own and includes none of them.

#include "controls/layer.h"

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_item.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>
#include <qwt_symbol.h>
