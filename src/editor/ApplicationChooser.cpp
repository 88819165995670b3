#include "ApplicationChooser.h"

#include "chrome/ImageButton.h"
#include "chrome/ListStyling.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "data/AlphabeticalOrder.h"
#include "platform/ApplicationEntries.h"
#include "platform/Pictures.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace zantor {

namespace {

constexpr int kWidth = 4500;
constexpr int kHeight = 5400;
constexpr int kEntryPathRole = Qt::UserRole;

QIcon applicationIcon(const InstalledApplication& application) {
    for (const QString& name : application.iconNames) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    if (!application.iconFile.isEmpty() && QFileInfo(application.iconFile).isFile())
        return QIcon(application.iconFile);
    // Every row keeps its names in line, also where the theme lacks the icon.
    return picture(QStringLiteral(":/icons/application-generic.svg"));
}

} // namespace

ApplicationChooser::ApplicationChooser(QWidget* over)
    : BorderlessWindow(over) {
    setObjectName(QStringLiteral("ApplicationChooser"));
    setWindowTitle(QStringLiteral("Aplicativos"));
    setWindowIcon(over->windowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setFont(sansSerif(11));
    resize(twips::size(kWidth, kHeight));
    sizeBorderShapes();

    m_closeButton = addTitleBarButton(QStringLiteral("closeImage"), QStringLiteral("closeButton"),
                                      QStringLiteral("title-close"), QStringLiteral("Fechar"),
                                      twips::rect(kWidth - 450, 90, 270, 270))
                        .lit;
    connect(m_closeButton, &QAbstractButton::clicked, this, &QWidget::close);

    QLabel* heading = makeLabel("heading", windowTitle(), twips::rect(240, 245, 3600, 300), this);
    heading->setFont(sansSerif(12, true));

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setAccessibleName(QStringLiteral("Filtrar aplicativos"));
    m_filter->setPlaceholderText(QStringLiteral("Digite parte do nome"));
    m_filter->setGeometry(twips::rect(240, 640, kWidth - 480, 315));
    m_filter->setClearButtonEnabled(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("applications"));
    m_list->setAccessibleName(QStringLiteral("Aplicativos instalados"));
    m_list->setToolTip(QStringLiteral(" Enter ou duplo clique para escolher "));
    m_list->setGeometry(twips::rect(240, 1060, kWidth - 480, kHeight - 1300));
    m_list->setIconSize(QSize(24, 24));
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    nameScrollBars(m_list);

    fillList();
    connect(m_filter, &QLineEdit::textChanged, this, &ApplicationChooser::filter);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ApplicationChooser::choose);
    m_filter->installEventFilter(this);
    m_list->installEventFilter(this);
    // The names are found by typing them.
    m_filter->setFocus();

    // Over the window that asked for it, in its middle.
    QRect place(QPoint(), size());
    place.moveCenter(over->frameGeometry().center());
    move(place.topLeft());
}

void ApplicationChooser::fillList() {
    QVector<InstalledApplication> applications = applications::installed();
    sortAlphabetically(applications,
                       [](const InstalledApplication& application) { return application.name; });
    TitleFolder folder;
    for (const InstalledApplication& application : std::as_const(applications)) {
        auto* row = new QListWidgetItem(applicationIcon(application), application.name, m_list);
        row->setData(kEntryPathRole, application.entryPath);
        row->setToolTip(application.entryPath);
        m_foldedNames.append(folder.key(application.name).letters);
    }
    m_list->setCurrentRow(0);
}

void ApplicationChooser::filter(const QString& typed) {
    const QString wanted = TitleFolder().key(typed.trimmed()).letters;
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_list->count(); ++row) {
        const bool shown = m_foldedNames[row].contains(wanted);
        m_list->item(row)->setHidden(!shown);
        if (shown && !first)
            first = m_list->item(row);
    }
    // Enter chooses what is in sight: the first name that holds the text.
    if (!m_list->currentItem() || m_list->currentItem()->isHidden())
        m_list->setCurrentItem(first);
}

void ApplicationChooser::choose() {
    QListWidgetItem* row = m_list->currentItem();
    if (!row || row->isHidden())
        return;
    emit chosen(row->text(), row->data(kEntryPathRole).toString());
    close();
}

bool ApplicationChooser::eventFilter(QObject* watched, QEvent* event) {
    // Enter chooses from the list and from the filter box alike; there the arrows and page
    // keys move through the list, so the box never has to be left.
    if ((watched == m_filter || watched == m_list) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (watched == m_list)
                break;
            QCoreApplication::sendEvent(m_list, key);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose();
            return true;
        default:
            break;
        }
    }
    return BorderlessWindow::eventFilter(watched, event);
}

void ApplicationChooser::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    BorderlessWindow::keyPressEvent(event);
}

} // namespace zantor
