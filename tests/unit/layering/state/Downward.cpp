// Points down: allowed.
#include "Downward.h"

#include "data/DbSession.h"
