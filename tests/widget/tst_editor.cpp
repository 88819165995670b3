#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "data/AlphabeticalOrder.h"
#include "data/DbSession.h"
#include "editor/GroupEditor.h"
#include "editor/VolumeBox.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "support/AccessibleControls.h"
#include "support/ChromePeers.h"
#include "support/RecordingPrompt.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace zantor;

namespace {

const QString kUnit = QString(QChar(31));
const QString kAdded = QStringLiteral("Item inserido.");

// The main window over an app folder of its own, with groups added before it starts.
struct Session {
    explicit Session(const std::function<void(const TestAppFolder&)>& prepare = {}) {
        if (prepare)
            prepare(app);
        zantor = std::make_unique<TestZantor>(app.path());
        window = &zantor->mainWindow();
    }
    // An editor still open when its test ends would outlive the window it covers.
    ~Session() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<GroupEditor*>(widget))
                delete widget;
        }
    }

    GroupEditor* open(ImageButton* command) {
        command->click();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* editor = qobject_cast<GroupEditor*>(widget); editor && editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    GroupEditor* insert() { return open(peer(*window).insertButton()); }
    GroupEditor* update(int row) {
        peer(*window).groupList()->selectionModel()->select(window->state().groups.index(row, 0),
                                                            QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
        return open(peer(*window).updateButton());
    }
    QSqlRecord stored(const QString& where, const QVariant& value) const {
        DbSession db(app.databases().groups);
        const auto rows = db.select(QStringLiteral("select * from Tabela1 where %1=?").arg(where), {value});
        return rows.isEmpty() ? QSqlRecord() : rows.first();
    }

    TestAppFolder app;
    RecordingPrompt prompt;
    std::unique_ptr<TestZantor> zantor;
    MainWindow* window = nullptr;
};

void typeItem(GroupEditor& editor, const QString& title, const QString& address) {
    peer(editor).itemTitle()->setText(title);
    peer(editor).itemAddress()->setText(address);
    peer(editor).addButton()->click();
}

void clickEntry(GroupEditor& editor, int row, bool twice = false) {
    const QPoint centre =
        peer(editor).itemList()->visualItemRect(peer(editor).itemList()->item(row)).center();
    // A double-click is a click and then the second press, as the desktop sends it.
    QTest::mouseClick(peer(editor).itemList()->viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(peer(editor).itemList()->viewport(), Qt::LeftButton, {}, centre);
}

QStringList titles(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

bool updateCovered(GroupEditor& editor) {
    return peer(editor).updateButtonCover()->isVisible() && !peer(editor).updateButton()->isEnabled();
}

QString today() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

void writeFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    QVERIFY(file.setPermissions(permissions));
}

// The applications installed for the user, in a data folder of the test's own: a program,
// an entry that takes files, one that takes none and one that is never shown.
class InstalledApplications {
public:
    InstalledApplications() {
        const QFile::Permissions program = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        writeFile(programPath(), "#!/bin/sh\n", program);
        writeFile(notes(),
                  "[Desktop Entry]\nType=Application\nName=Notes\nName[pt_BR]=Editor de Notas Zântor\n"
                  "Exec=" +
                      programPath().toUtf8() + " %F\n",
                  QFile::ReadOwner | QFile::WriteOwner);
        writeFile(clock(),
                  "[Desktop Entry]\nType=Application\nName=Relógio Zântor\nExec=" + programPath().toUtf8() +
                      "\n",
                  QFile::ReadOwner | QFile::WriteOwner);
        writeFile(m_data.filePath(QStringLiteral("applications/oculto.desktop")),
                  "[Desktop Entry]\nType=Application\nName=Oculto Zântor\nNoDisplay=true\nExec=true\n",
                  QFile::ReadOwner | QFile::WriteOwner);
        // Before GIO reads the list of applications for the first time.
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
    }
    QString programPath() const { return m_data.filePath(QStringLiteral("bin/editor-de-notas")); }
    QString notes() const { return m_data.filePath(QStringLiteral("applications/zantor-notas.desktop")); }
    QString clock() const { return m_data.filePath(QStringLiteral("applications/zantor-relogio.desktop")); }

private:
    QTemporaryDir m_data;
};

} // namespace

class EditorTest : public QObject {
    Q_OBJECT
    InstalledApplications m_applications;

private slots:
    void insertModeOpensEmptyAndCloseDropsEverything() {
        Session session;
        session.window->move(120, 80);
        QPointer<GroupEditor> editor = session.insert();
        QVERIFY(editor);
        QCOMPARE(peer(*editor).heading()->text(), QStringLiteral("Inserindo item"));
        QCOMPARE(editor->geometry(), session.window->geometry());
        QStringList categories;
        for (int i = 0; i < peer(*editor).category()->count(); ++i)
            categories << peer(*editor).category()->itemText(i);
        QCOMPARE(categories, QStringList({"Diversos", "Documentos", "Estudos", "Imagens", "Internet", "Jogos",
                                          "Música", "Programas", "Trabalho", "Vídeo"}));
        QCOMPARE(peer(*editor).category()->currentData().toInt(), 10);
        for (const QLineEdit* box :
             {peer(*editor).groupTitle(), peer(*editor).itemTitle(), peer(*editor).itemAddress()})
            QVERIFY(box->text().isEmpty());
        QVERIFY(peer(*editor).items().isEmpty() && peer(*editor).itemList()->count() == 0);
        QVERIFY(updateCovered(*editor));
        QVERIFY(peer(*editor).shownAddress()->toPlainText().startsWith(QStringLiteral("Após o cadastro")));
        QTRY_VERIFY(!session.window->isVisible());

        typeItem(*editor, QStringLiteral("Nota"), QStringLiteral("/tmp/nota.txt"));
        peer(*editor).groupTitle()->setText(QStringLiteral("Nunca salvo"));
        editor->move(200, 150);
        TitledWindowPeer(*editor).closeButton()->click();
        QVERIFY(session.window->isVisible());
        QCOMPARE(session.window->pos(), QPoint(200, 150));
        QTRY_VERIFY(!editor);
        QVERIFY(session.stored(QStringLiteral("titulo1"), QStringLiteral("Nunca salvo")).isEmpty());
    }

    void updateModeLoadsTheGroup_data() {
        QTest::addColumn<int>("categoria");
        QTest::addColumn<int>("shownIndex");
        QTest::newRow("known category") << 3 << 6;
        QTest::newRow("category that is gone") << 99 << -1;
    }

    void updateModeLoadsTheGroup() {
        QFETCH(int, categoria);
        QFETCH(int, shownIndex);
        Session session([&](const TestAppFolder& app) {
            app.addGroup(QStringLiteral("Rock''n roll"), QStringLiteral("Um, Dois, Três"),
                         "/1" + kUnit + "/2" + kUnit + "/3", categoria);
        });
        GroupEditor* editor = session.update(0);
        QCOMPARE(peer(*editor).heading()->text(), QStringLiteral("Atualizando item"));
        QCOMPARE(peer(*editor).groupTitle()->text(), QStringLiteral("Rock'n roll"));
        QCOMPARE(titles(peer(*editor).itemList()), QStringList({"Um", "Dois", "Três"}));
        QCOMPARE(peer(*editor).items(), (QVector<GroupItem>{{"Um", "/1"}, {"Dois", "/2"}, {"Três", "/3"}}));
        QCOMPARE(peer(*editor).category()->currentIndex(), shownIndex);
        QCOMPARE(peer(*editor).category()->placeholderText(), QStringLiteral("Categoria do Grupo"));
        QVERIFY(peer(*editor).itemList()->selectedItems().isEmpty());
    }

    void addChecksItsTexts_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        const QString empty = QStringLiteral("Título e Endereço não podem estar vazios.");
        const QString unit = QStringLiteral("O caractere de código 31 não é aceito.");
        const auto row = [](const char* name, const QString& title, const QString& address,
                            const QString& message) { QTest::newRow(name) << title << address << message; };
        row("empty title", "", "/a", empty);
        row("empty address", "A", "", empty);
        row("one space is a title", " ", "/a", kAdded);
        row("comma without space", "a,b", "/a, b", kAdded);
        row("a web address as typed", "Relatório", "https://example.org/relat%C3%B3rio?a=1&b=2#x", kAdded);
        row("title separator", "a, b", "/a", QStringLiteral("O título do item não pode conter \", \"."));
        row("unit separator in the title", "a" + kUnit, "/a", unit);
        row("unit separator in the address", "a", "/a" + kUnit + "b", unit);
        const QString control =
            QStringLiteral("O item não pode conter quebras de linha nem outros caracteres de controle.");
        row("line break in the address", "a", "/a\nb", control);
        row("ESC in the title", "a\x1b[2J", "/a", control);
    }

    void addChecksItsTexts() {
        QFETCH(QString, title);
        QFETCH(QString, address);
        QFETCH(QString, message);
        Session session;
        GroupEditor* editor = session.insert();
        typeItem(*editor, QStringLiteral("Antes"), QStringLiteral("/antes"));
        typeItem(*editor, title, address);
        QCOMPARE(peer(*editor).messageLine()->text(), message);
        QCOMPARE(session.prompt.beeps, 2);
        const bool added = message == kAdded;
        QCOMPARE(peer(*editor).items().size(), added ? 2 : 1);
        QCOMPARE(peer(*editor).itemList()->count(), peer(*editor).items().size());
        if (added) {
            QCOMPARE(peer(*editor).items().last(), (GroupItem{title, address}));
            QCOMPARE(peer(*editor).itemList()->selectedItems(),
                     QList<QListWidgetItem*>({peer(*editor).itemList()->item(1)}));
            QCOMPARE(peer(*editor).shownAddress()->toPlainText(), address);
        }
        QCOMPARE(peer(*editor).itemTitle()->text(), added ? QString() : title);
        QCOMPARE(peer(*editor).itemAddress()->text(), added ? QString() : address);
    }

    void changingTheSecondOfThreeEntries() {
        Session session;
        GroupEditor* editor = session.insert();
        for (const QString& item : {QStringLiteral("Um"), QStringLiteral("Dois"), QStringLiteral("Três")})
            typeItem(*editor, item, "/" + item);
        clickEntry(*editor, 1);
        QCOMPARE(peer(*editor).shownAddress()->toPlainText(), QStringLiteral("/Dois"));
        QVERIFY(updateCovered(*editor));
        clickEntry(*editor, 1, true);
        QCOMPARE(peer(*editor).itemTitle()->text(), QStringLiteral("Dois"));
        QCOMPARE(peer(*editor).itemAddress()->toolTip(), QStringLiteral("/Dois"));
        QCOMPARE(peer(*editor).loadedItem(), std::optional<int>(1));
        QVERIFY(!updateCovered(*editor));

        peer(*editor).itemTitle()->setText(QStringLiteral("Dois, meio"));
        peer(*editor).updateButton()->click();
        QCOMPARE(peer(*editor).itemList()->item(1)->text(), QStringLiteral("Dois"));
        peer(*editor).itemTitle()->setText(QStringLiteral("Segundo"));
        peer(*editor).updateButton()->click();
        QCOMPARE(titles(peer(*editor).itemList()), QStringList({"Um", "Segundo", "Três"}));
        QCOMPARE(peer(*editor).items()[1], (GroupItem{"Segundo", "/Dois"}));
        QCOMPARE(peer(*editor).items().size(), 3);
        QVERIFY(peer(*editor).itemTitle()->text().isEmpty() && peer(*editor).itemAddress()->text().isEmpty());
        QVERIFY(updateCovered(*editor));
        QCOMPARE(peer(*editor).messageLine()->text(), QStringLiteral("Item atualizado."));

        // A click after a double-click covers the update again and changes nothing.
        clickEntry(*editor, 2, true);
        clickEntry(*editor, 2);
        QVERIFY(updateCovered(*editor));
        QVERIFY(peer(*editor).itemTitle()->text().isEmpty());
    }

    void deletingNeedsASelectionAndForgetsTheLoadedEntry() {
        Session session;
        GroupEditor* editor = session.insert();
        const QString noSelection = QStringLiteral("É preciso selecionar um item primeiro.");
        peer(*editor).deleteButton()->click();
        QCOMPARE(peer(*editor).messageLine()->text(), noSelection);
        typeItem(*editor, QStringLiteral("Um"), QStringLiteral("/1"));
        typeItem(*editor, QStringLiteral("Dois"), QStringLiteral("/2"));

        // The last entry, loaded for editing, is deleted: no update can reach past the
        // end of the list or another entry.
        clickEntry(*editor, 1, true);
        peer(*editor).deleteButton()->click();
        QCOMPARE(peer(*editor).messageLine()->text(), QStringLiteral("Item deletado."));
        QCOMPARE(peer(*editor).items(), (QVector<GroupItem>{{"Um", "/1"}}));
        QVERIFY(peer(*editor).shownAddress()->toPlainText().isEmpty());
        QVERIFY(!peer(*editor).loadedItem());
        QVERIFY(updateCovered(*editor));
        peer(*editor).deleteButton()->click();
        QCOMPARE(peer(*editor).messageLine()->text(), noSelection);
        QCOMPARE(peer(*editor).itemList()->count(), 1);
    }

    // What a file manager or a browser drags: files and folders by their names, http(s)
    // links by the title the drag carries, else by host and last path segment.
    void droppedFilesFoldersAndLinksBecomeItems_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("titles");
        QTest::addColumn<QVector<GroupItem>>("items");
        // Those the editor's rules refuse, each with a beep.
        QTest::addColumn<int>("refused");
        const QString folder = QDir::tempPath();
        const QUrl page(QStringLiteral("https://example.org/docs/relat%C3%B3rio?x=1"));
        const QString pageText = page.toString();
        QTest::newRow("a file and a folder, with an ftp link left out")
            << QList<QUrl>{QUrl::fromLocalFile(folder + "/nota.txt"), QUrl::fromLocalFile(folder + "/Fotos/"),
                           QUrl(QStringLiteral("ftp://example.org/a"))}
            << QString() << QByteArray()
            << QVector<GroupItem>{{"nota.txt", folder + "/nota.txt"}, {"Fotos", folder + "/Fotos"}} << 0;
        QTest::newRow("a file named as a link may be titled")
            << QList<QUrl>{QUrl::fromLocalFile(folder + "/Atas, março.txt")} << QString() << QByteArray()
            << QVector<GroupItem>{{"Atas - março.txt", folder + "/Atas, março.txt"}} << 0;
        QTest::newRow("a file with a line break in its name, refused")
            << QList<QUrl>{QUrl::fromLocalFile(folder + "/um\ndois.txt"),
                           QUrl::fromLocalFile(folder + "/nota.txt")}
            << QString() << QByteArray() << QVector<GroupItem>{{"nota.txt", folder + "/nota.txt"}} << 1;
        // Neither opens what was dragged: the launcher would look for them as relative paths.
        QTest::newRow("a link without a host and a relative file URL left out")
            << QList<QUrl>{QUrl(QStringLiteral("http:pagina")), QUrl(QStringLiteral("file:nota.txt")),
                           QUrl::fromLocalFile(folder + "/nota.txt")}
            << QString() << QByteArray() << QVector<GroupItem>{{"nota.txt", folder + "/nota.txt"}} << 0;
        QTest::newRow("a file name with a run of commas")
            << QList<QUrl>{QUrl::fromLocalFile(folder + "/Relatório,, março.pdf")} << QString()
            << QByteArray()
            << QVector<GroupItem>{{"Relatório - março.pdf", folder + "/Relatório,, março.pdf"}} << 0;
        QString moz = pageText + QStringLiteral("\nRelatório, março\n");
        QTest::newRow("Firefox's title, in UTF-16")
            << QList<QUrl>{page} << "text/x-moz-url"
            << QByteArray(reinterpret_cast<const char*>(moz.utf16()), moz.size() * 2)
            << QVector<GroupItem>{{"Relatório - março", pageText}} << 0;
        QTest::newRow("a Netscape title")
            << QList<QUrl>{page} << "_NETSCAPE_URL" << (pageText + QStringLiteral("\nRelatório")).toUtf8()
            << QVector<GroupItem>{{"Relatório", pageText}} << 0;
        QTest::newRow("an application, by its Portuguese name")
            << QList<QUrl>{QUrl::fromLocalFile(m_applications.notes())} << QString() << QByteArray()
            << QVector<GroupItem>{{"Editor de Notas Zântor", m_applications.notes()}} << 0;
        QTest::newRow("no title: host and last segment")
            << QList<QUrl>{page, QUrl(QStringLiteral("http://example.org/"))} << QString() << QByteArray()
            << QVector<GroupItem>{{"example.org - relatório", pageText},
                                  {"example.org", "http://example.org/"}}
            << 0;
    }
    void droppedFilesFoldersAndLinksBecomeItems() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, format);
        QFETCH(QByteArray, titles);
        QFETCH(QVector<GroupItem>, items);
        QFETCH(int, refused);
        Session session;
        GroupEditor* editor = session.insert();
        QMimeData mime;
        mime.setUrls(urls);
        if (!format.isEmpty())
            mime.setData(format, titles);
        QWidget* target = peer(*editor).itemList()->viewport();
        QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(target->rect().center(), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        QCOMPARE(peer(*editor).items(), items);
        QCOMPARE(session.prompt.beeps, items.size() + refused);
        QCOMPARE(peer(*editor).messageLine()->text(), kAdded);
    }

    // Open for a program or an application's entry; for anything else closed and empty,
    // though what was typed comes back with a program's address.
    void theArgumentsBoxFollowsTheAddress_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("takesNone");
        QTest::newRow("program") << m_applications.programPath() << true << false;
        QTest::newRow("entry that takes files") << m_applications.notes() << true << false;
        QTest::newRow("entry as a file URL")
            << QUrl::fromLocalFile(m_applications.notes()).toString() << true << false;
        QTest::newRow("entry that takes none") << m_applications.clock() << true << true;
        QTest::newRow("folder") << QDir::tempPath() << false << false;
        QTest::newRow("document") << QFINDTESTDATA("tst_editor.cpp") << false << false;
        QTest::newRow("web address") << "https://example.org/a.desktop" << false << false;
        QTest::newRow("missing") << "/nao/existe" << false << false;
    }

    void theArgumentsBoxFollowsTheAddress() {
        QFETCH(QString, address);
        QFETCH(bool, open);
        QFETCH(bool, takesNone);
        Session session;
        GroupEditor* editor = session.insert();
        QLineEdit* arguments = accessibleControl<QLineEdit>(editor, QStringLiteral("Argumentos"));
        QVERIFY(arguments);
        QVERIFY(!arguments->isEnabled());
        peer(*editor).itemAddress()->setText(m_applications.programPath());
        QTest::keyClicks(arguments, QStringLiteral("--nova 'a b'"));

        peer(*editor).itemAddress()->setText(address);
        QCOMPARE(arguments->isEnabled(), open);
        QCOMPARE(arguments->text(), open ? QStringLiteral("--nova 'a b'") : QString());
        QLabel* note =
            accessibleControl<QLabel>(editor, QStringLiteral("Este aplicativo não recebe argumentos"));
        QVERIFY(note);
        QCOMPARE(note->isVisible(), takesNone);
        peer(*editor).itemTitle()->setText(QStringLiteral("Item"));
        peer(*editor).addButton()->click();
        QCOMPARE(peer(*editor).items(),
                 (QVector<GroupItem>{{"Item", address, open ? QStringLiteral("--nova 'a b'") : QString()}}));
        QVERIFY(!arguments->isEnabled());
        QCOMPARE(arguments->text(), QString());
    }

    void aProgramsArgumentsAreSavedAndComeBack() {
        Session session([](const TestAppFolder& app) { app.addGroup(QStringLiteral("Projeto"), "x", "/x"); });
        GroupEditor* editor = session.update(0);
        QLineEdit* arguments = accessibleControl<QLineEdit>(editor, QStringLiteral("Argumentos"));
        peer(*editor).itemTitle()->setText(QStringLiteral("Notas"));
        peer(*editor).itemAddress()->setText(m_applications.notes());
        arguments->setText(QStringLiteral("It's"));
        peer(*editor).addButton()->click();
        QCOMPARE(peer(*editor).messageLine()->text(),
                 QStringLiteral("Os argumentos têm aspas que não foram fechadas."));
        arguments->setText(QStringLiteral("-a\tb"));
        peer(*editor).addButton()->click();
        QCOMPARE(peer(*editor).messageLine()->text(), QStringLiteral("Os argumentos não podem conter TAB."));
        arguments->setText(QStringLiteral("\"Meu projeto\" \\tmp ''"));
        peer(*editor).addButton()->click();
        QCOMPARE(peer(*editor).messageLine()->text(), kAdded);
        QCOMPARE(peer(*editor).shownAddress()->toPlainText(),
                 m_applications.notes() + QStringLiteral("\nArgumentos: \"Meu projeto\" \\tmp ''"));
        peer(*editor).saveButton()->click();
        const QSqlRecord row = session.stored(QStringLiteral("titulo1"), QStringLiteral("Projeto"));
        QCOMPARE(row.value("texto3").toString(), kUnit + QStringLiteral("\"Meu projeto\" \\tmp ''"));

        // Loaded for editing by a new editor, as typed.
        QTRY_VERIFY(session.window->isVisible());
        GroupEditor* again = session.update(0);
        clickEntry(*again, 1, true);
        QCOMPARE(accessibleControl<QLineEdit>(again, QStringLiteral("Argumentos"))->text(),
                 QStringLiteral("\"Meu projeto\" \\tmp ''"));
        // The first item, with none, loaded after it shows none.
        clickEntry(*again, 0, true);
        QCOMPARE(accessibleControl<QLineEdit>(again, QStringLiteral("Argumentos"))->text(), QString());
    }

    // By keyboard alone: the button, a few letters of the name, Enter.
    void theChooserListsTheShownApplicationsAndFillsTheItem() {
        Session session;
        GroupEditor* editor = session.insert();
        auto* button = accessibleControl<QPushButton>(editor, QStringLiteral("Aplicativos…"));
        QVERIFY(button);
        QTest::keyClick(button, Qt::Key_Space);
        QWidget* chooser = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QStringLiteral("ApplicationChooser") && widget->isVisible())
                chooser = widget;
        }
        QVERIFY(chooser);
        QPointer<QWidget> open(chooser);
        auto* filter = accessibleControl<QLineEdit>(chooser, QStringLiteral("Filtrar aplicativos"));
        auto* list = accessibleControl<QListWidget>(chooser, QStringLiteral("Aplicativos instalados"));
        QVERIFY(filter && list);
        QTRY_COMPARE(QApplication::focusWidget(), filter);

        QStringList shown = titles(list);
        QVERIFY2(shown.contains(QStringLiteral("Editor de Notas Zântor")), qPrintable(shown.join(", ")));
        QVERIFY(shown.contains(QStringLiteral("Relógio Zântor")));
        QVERIFY(!shown.contains(QStringLiteral("Oculto Zântor")));
        QVERIFY(!shown.contains(QStringLiteral("Notes")));
        QStringList sorted = shown;
        sortAlphabetically(sorted, [](const QString& name) { return name; });
        QCOMPARE(shown, sorted);

        // Accents and letter case aside.
        QTest::keyClicks(filter, QStringLiteral("ZANTOR"));
        QStringList kept;
        for (int row = 0; row < list->count(); ++row) {
            if (!list->item(row)->isHidden())
                kept << list->item(row)->text();
        }
        QCOMPARE(kept, QStringList({"Editor de Notas Zântor", "Relógio Zântor"}));
        QTest::keyClick(filter, Qt::Key_Down);
        QTest::keyClick(filter, Qt::Key_Up);
        QTest::keyClick(filter, Qt::Key_Return);
        QTRY_VERIFY(!open);
        QCOMPARE(peer(*editor).itemTitle()->text(), QStringLiteral("Editor de Notas Zântor"));
        QCOMPARE(peer(*editor).itemAddress()->text(), m_applications.notes());
        QVERIFY(accessibleControl<QLineEdit>(editor, QStringLiteral("Argumentos"))->isEnabled());
    }

    void pickersFillTheAddress() {
        QTemporaryDir files;
        const QString folder = files.filePath(QStringLiteral("Docs"));
        QVERIFY(QDir(files.path()).mkdir(QStringLiteral("Docs")));
        QVERIFY(QFile(folder + "/a.txt").open(QIODevice::WriteOnly));
        QVERIFY(QDir(folder).mkdir(QStringLiteral("Sub")));
        Session session;
        GroupEditor* editor = session.insert();
        // The volumes arrive from their own thread, the root among them.
        QSignalSpy listed(peer(*editor).driveBox(), &VolumeBox::volumesListed);
        QTRY_COMPARE(listed.count(), 1);
        QVERIFY(peer(*editor).itemAddress()->text().isEmpty());
        emit peer(*editor).driveBox()->activated(peer(*editor).driveBox()->findData(QDir::rootPath()));
        QCOMPARE(peer(*editor).itemAddress()->text(), QDir::rootPath());

        QAbstractItemModel* fileRows = peer(*editor).fileView()->model();
        const auto shown = [&] {
            return peer(*editor).fileView()->rootIndex().data(QFileSystemModel::FilePathRole);
        };
        const auto names = [&](const QModelIndex& folderRow) {
            QStringList found;
            for (int row = 0; row < fileRows->rowCount(folderRow); ++row)
                found.append(fileRows->index(row, 0, folderRow).data().toString());
            found.sort();
            return found;
        };
        // A subfolder is no file.
        auto* folders = qobject_cast<QFileSystemModel*>(peer(*editor).folderView()->model());
        peer(*editor).folderView()->setCurrentIndex(folders->index(folder));
        QCOMPARE(peer(*editor).itemAddress()->text(), folder);
        QTRY_COMPARE(shown(), QVariant(folder));
        QTRY_COMPARE(names(peer(*editor).fileView()->rootIndex()), QStringList{"a.txt"});
        const QModelIndex file = fileRows->index(0, 0, peer(*editor).fileView()->rootIndex());
        // The view lays its rows out a moment after they arrive.
        QTRY_VERIFY(!peer(*editor).fileView()->visualRect(file).isEmpty());
        QTest::mouseClick(peer(*editor).fileView()->viewport(), Qt::LeftButton, {},
                          peer(*editor).fileView()->visualRect(file).center());
        QCOMPARE(peer(*editor).itemAddress()->text(), folder + "/a.txt");

        // A file saved there meanwhile shows up.
        QVERIFY(QFile(folder + "/b.txt").open(QIODevice::WriteOnly));
        QTRY_COMPARE(names(peer(*editor).fileView()->rootIndex()), (QStringList{"a.txt", "b.txt"}));
    }

    void saveRefusesAnInvalidGroup_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("warning");
        const QString emptyOrNone = QStringLiteral("O título do Grupo não pode estar vazio e a lista "
                                                   "precisa ter pelo menos 1 Item adicionado.");
        QTest::newRow("three spaces") << "   " << 2 << emptyOrNone;
        QTest::newRow("no items") << "Grupo" << 0 << emptyOrNone;
        QTest::newRow("line break") << "Gru\npo" << 1
                                    << QStringLiteral("O título do Grupo não pode conter quebras de linha "
                                                      "nem outros caracteres de controle.");
    }

    void saveRefusesAnInvalidGroup() {
        QFETCH(QString, title);
        QFETCH(int, items);
        QFETCH(QString, warning);
        Session session;
        GroupEditor* editor = session.insert();
        for (int i = 0; i < items; ++i)
            typeItem(*editor, QStringLiteral("Item"), QStringLiteral("/item"));
        editor->showEditorMessage(QStringLiteral("antes"));
        peer(*editor).groupTitle()->setText(title);
        peer(*editor).saveButton()->click();
        QCOMPARE(peer(*editor).warningLine()->text(), warning);
        QVERIFY(peer(*editor).messageTimer().remainingTime() > 2000);
        QVERIFY(session.stored(QStringLiteral("titulo1"), title).isEmpty());
        QVERIFY(editor->isVisible());
        // One timer clears both lines; it need not run its three seconds here.
        QCOMPARE(peer(*editor).messageLine()->text(), QStringLiteral("antes"));
        peer(*editor).messageTimer().start(1);
        QTRY_VERIFY(peer(*editor).warningLine()->text().isEmpty() &&
                    peer(*editor).messageLine()->text().isEmpty());
    }

    void insertGoesToTheEndOfTheKeptOrder() {
        Session session([](const TestAppFolder& app) {
            app.addGroup(QStringLiteral("Beta"), {}, {}, 1, 7);
            app.addGroup(QStringLiteral("Alfa"), {}, {}, 1, 2);
            app.setSettings({{QStringLiteral("ordemPosts"), QStringLiteral("1")}});
        });
        QPointer<GroupEditor> editor = session.insert();
        peer(*editor).groupTitle()->setText(QStringLiteral("Aaa novo"));
        peer(*editor).category()->setCurrentIndex(peer(*editor).category()->findData(2));
        for (const QString& item : {QStringLiteral("Um"), QStringLiteral("Dois"), QStringLiteral("Três")})
            typeItem(*editor, item, "/" + item);
        QTRY_VERIFY(!session.window->isVisible());
        editor->move(30, 40);
        peer(*editor).saveButton()->click();

        const QSqlRecord row = session.stored(QStringLiteral("titulo1"), QStringLiteral("Aaa novo"));
        QCOMPARE(row.value("texto1").toString(), QStringLiteral("Um, Dois, Três"));
        QCOMPARE(row.value("texto2").toString(), "/Um" + kUnit + "/Dois" + kUnit + "/Três");
        QCOMPARE(row.value("qtd").toString(), QStringLiteral("3"));
        QCOMPARE(row.value("categoria").toInt(), 2);
        QCOMPARE(row.value("ordem").toInt(), 8);
        QCOMPARE(row.value("dataUpd").toString(), today());
        QCOMPARE(peer(*editor).messageLine()->text(), QStringLiteral("Ítem inserido com sucesso!"));
        // Every list follows, in the order the main window was started with.
        QCOMPARE(session.window->state().groups.title(2), QStringLiteral("Aaa novo"));
        QCOMPARE(session.window->state().groups.groupCount(), 3);
        QCOMPARE(peer(*session.window).groupCount()->text(), QStringLiteral("3 grupos"));
        QVERIFY(session.window->isVisible());
        QCOMPARE(session.window->pos(), QPoint(30, 40));
        QTRY_VERIFY(!editor);
    }

    void updateRoundTripsApostrophesAndTabs() {
        int id = 0;
        Session session([&](const TestAppFolder& app) {
            id = app.addGroup(QStringLiteral("Velho"), QStringLiteral("x"), QStringLiteral("/x"), 1, 5);
        });
        GroupEditor* editor = session.update(0);
        peer(*editor).groupTitle()->setText(QStringLiteral("Ana's\tlista"));
        clickEntry(*editor, 0);
        peer(*editor).deleteButton()->click();
        typeItem(*editor, QStringLiteral("d'água"), QStringLiteral("/l'été/a.txt"));
        typeItem(*editor, QStringLiteral("Faixa\t2"), QStringLiteral("/m/b"));
        peer(*editor).saveButton()->click();
        QCOMPARE(peer(*editor).messageLine()->text(), QStringLiteral("Ítem atualizado com sucesso!"));

        const QSqlRecord row = session.stored(QStringLiteral("id"), id);
        QCOMPARE(row.value("titulo1").toString(), QStringLiteral("Ana's\\tlista"));
        QCOMPARE(row.value("texto1").toString(), QStringLiteral("d'água, Faixa\\t2"));
        QCOMPARE(row.value("texto2").toString(), "/l'été/a.txt" + kUnit + "/m/b");
        QCOMPARE(row.value("qtd").toString(), QStringLiteral("2"));
        QCOMPARE(row.value("dataUpd").toString(), today());
        QCOMPARE(row.value("ordem").toInt(), 5);

        // Read back by a new editor, everything is as typed.
        QTRY_VERIFY(session.window->isVisible());
        GroupEditor* again = session.update(0);
        QCOMPARE(peer(*again).groupTitle()->text(), QStringLiteral("Ana's\tlista"));
        QCOMPARE(peer(*again).items(),
                 (QVector<GroupItem>{{"d'água", "/l'été/a.txt"}, {"Faixa\t2", "/m/b"}}));
    }

    // What the editor was opened for holds until it closes: the main list pointing at
    // another group meanwhile does not redirect the save.
    void theEditorSavesTheGroupItWasOpenedFor() {
        int first = 0;
        int second = 0;
        Session session([&](const TestAppFolder& app) {
            first = app.addGroup(QStringLiteral("Primeiro"), QStringLiteral("a"), QStringLiteral("/a"));
            second = app.addGroup(QStringLiteral("Segundo"), QStringLiteral("b"), QStringLiteral("/b"));
        });
        GroupEditor* editor = session.update(0);
        SharedState& state = session.window->state();
        peer(*session.window)
            .groupList()
            ->selectionModel()
            ->select(state.groups.index(1, 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        peer(*editor).groupTitle()->setText(QStringLiteral("Primeiro, mudado"));
        peer(*editor).saveButton()->click();
        QCOMPARE(session.stored(QStringLiteral("id"), first).value("titulo1").toString(),
                 QStringLiteral("Primeiro, mudado"));
        QCOMPARE(session.stored(QStringLiteral("id"), second).value("titulo1").toString(),
                 QStringLiteral("Segundo"));
        QCOMPARE(state.groups.rowCount(), 2);
    }

    void aFailingWriteKeepsTheEditorOpen() {
        Session session;
        GroupEditor* editor = session.insert();
        peer(*editor).groupTitle()->setText(QStringLiteral("Importante"));
        typeItem(*editor, QStringLiteral("Um"), QStringLiteral("/1"));
        {
            // Another program holds the groups database.
            QSqlDatabase locker =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
            locker.setDatabaseName(session.app.databases().groups);
            QVERIFY(locker.open());
            QSqlQuery lock(locker);
            QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            peer(*editor).saveButton()->click();
            lock.exec(QStringLiteral("ROLLBACK"));
            locker.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));

        QCOMPARE(session.prompt.messages.size(), 1);
        QVERIFY(session.prompt.messages[0].text.contains(QStringLiteral("ZT_Itens.db")));
        QCOMPARE(peer(*editor).warningLine()->text(), QStringLiteral("O grupo não foi salvo."));
        QVERIFY(!peer(*editor).messageLine()->text().contains(QStringLiteral("sucesso")));
        QVERIFY(editor->isVisible());
        QCOMPARE(peer(*editor).groupTitle()->text(), QStringLiteral("Importante"));
        QCOMPARE(peer(*editor).items().size(), 1);
        QVERIFY(session.stored(QStringLiteral("titulo1"), QStringLiteral("Importante")).isEmpty());
    }
};

ZANTOR_TEST_MAIN(EditorTest)
#include "tst_editor.moc"
