// Points sideways in angle brackets: the layering check must refuse it as well. A
// system header with a folder in its name is no layer of ours.
#include <settings/SettingsWindow.h>
#include <sys/stat.h>
