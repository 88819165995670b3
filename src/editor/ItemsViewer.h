#pragma once

#include "chrome/BorderlessWindow.h"

class QLabel;
class QPlainTextEdit;

namespace zantor {

class ImageButton;
class ImagePicture;

// The items viewer: every item of the group shown in the main window, numbered, its
// title over its address. Read-only; it reads nothing from the databases.
class ItemsViewer : public BorderlessWindow {
    Q_OBJECT
public:
    // `host` is the window it opens over; the texts are those of the host's details
    // panel: the group's title, its item names joined by ", ", and its addresses and
    // the items' arguments, each joined by the unit separator.
    ItemsViewer(QWidget* host, const QString& groupTitle, const QString& description,
                const QString& addresses, const QString& arguments);

    // The numbered listing: entry k is k, " - ", the title, CR LF and the address with
    // its arguments, with a blank line between two entries. A title without an address
    // is left out, and its number with it.
    static QString itemListing(const QString& description, const QString& addresses,
                               const QString& arguments);
    // An item's address, and on the next line its arguments where it has any.
    static QString addressLines(const QString& address, const QString& arguments);

protected:
    // The viewer stays where it opened.
    void mousePressEvent(QMouseEvent* event) override;

private:
    ImageButton* m_closeButton;
    QLabel* m_groupTitle;
    QPlainTextEdit* m_listing;

    friend class ItemsViewerPeer;
};

} // namespace zantor
