#pragma once

#include "InfoPageWindow.h"

namespace zantor {

class ResourceHandler;

// The help page: opens the three ReadMe documents that ship with the program (in the
// ReadMe folder of `shippedFolder`) in the user's PDF viewer.
class HelpPage : public InfoPageWindow {
    Q_OBJECT
public:
    // The documents open through `opener`: the desktop in the program.
    HelpPage(PageHostWindow& host, const QString& shippedFolder, ResourceHandler& opener);

    // Hands the file to the desktop; a missing file or one nothing can open is said in
    // a message instead.
    void OpenFile(const QString& path);

    ImageButton* btn1;
    QLabel* ReadMe1;
    QLabel* Label2;
    ImageButton* btn2;
    QLabel* Label7;
    QLabel* Label1;
    ImageButton* btn3;
    QLabel* Label9;
    QLabel* Label8;
    QLabel* Label5;
    QLabel* Label4;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_shippedFolder;
    ResourceHandler& m_opener;
};

} // namespace zantor
