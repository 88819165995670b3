#pragma once

#include "chrome/BorderlessWindow.h"

#include <QVector>

class QLineEdit;
class QListWidget;

namespace zantor {

class ImageButton;

// The applications installed for the user, as the desktop's menus show them, each with
// its icon and name, by name; a text typed above the list keeps the names that hold it,
// accents and letter case aside. Enter or a double click chooses one; Esc or the close
// image leaves without a choice.
class ApplicationChooser : public BorderlessWindow {
    Q_OBJECT
public:
    // Shown over `over`, which waits for it.
    explicit ApplicationChooser(QWidget* over);

signals:
    void chosen(const QString& name, const QString& entryPath);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillList();
    void filter(const QString& typed);
    void choose();

    ImageButton* m_closeButton;
    QLineEdit* m_filter;
    QListWidget* m_list;
    // Each row's name as the filter reads it, by row.
    QVector<QString> m_foldedNames;

    friend class ApplicationChooserPeer;
};

} // namespace zantor
