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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Hands the file to the desktop; a missing file or one nothing can open is said in
    // a message instead.
    void openDocument(const QString& path);

    QString m_shippedFolder;
    ResourceHandler& m_opener;
};

} // namespace zantor
