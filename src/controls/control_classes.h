#pragma once

#include "controls/layer.h"

// The control classes and the Qt widgets that the handler groups' Controls name, declared for
// the headers that only hold pointers to them.

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QWidget;

namespace kv {

class CwButton;
class CwGraph;
class CwKnob;
class CwSlide;
class CwTimer;
class PictureBox;

} // namespace kv
