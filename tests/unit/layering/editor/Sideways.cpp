// Points sideways between two windows: the layering check must refuse it.
#include "data/DbSession.h"
#include "settings/SettingsWindow.h"
