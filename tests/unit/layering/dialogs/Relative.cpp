// Relative paths: the layering check refuses those that climb into another layer, even
// pointing down, and out of the source tree; one that stays in its layer is allowed.
#include "../dialogs/Relative.h"
#include "../main/GroupListView.h"
#include "../state/SharedState.h"
#include "../../support/TestAppFolder.h"
