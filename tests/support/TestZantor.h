#pragma once

#include "app/Startup.h"
#include "app/WindowCoordinator.h"
#include "main/MainWindow.h"
#include "platform/DesktopResourceHandler.h"

#include <memory>

// Zantor as the program starts it over an app folder: the state loaded, every window made
// by the coordinator, and the first one shown as the settings say. Resources open through
// `handler`, or on the desktop.
class TestZantor {
public:
    explicit TestZantor(const QString& programFolder, zantor::ResourceHandler* handler = nullptr)
        : state(zantor::startup::loadState(programFolder))
        , windows(*state, handler ? *handler : m_desktop) {
        windows.start();
    }

    zantor::MainWindow& mainWindow() { return windows.mainWindow(); }

private:
    zantor::DesktopResourceHandler m_desktop;

public:
    std::unique_ptr<zantor::SharedState> state;
    zantor::WindowCoordinator windows;
};
