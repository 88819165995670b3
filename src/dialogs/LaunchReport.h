#pragma once

class QWidget;

namespace zantor {

struct LaunchResult;

// The "Erro" message at the end of a run that met resources it could not open; a run
// that opened everything ends in silence.
void showLaunchReport(QWidget* parent, const LaunchResult& result);

} // namespace zantor
