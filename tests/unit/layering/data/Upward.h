// Points up a layer: the layering check must refuse it.
#include "state/SharedState.h"
