#include "platform/variant.h"
