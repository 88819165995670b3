// Renders one help document, written in Markdown, to an A4 PDF: a running header with
// the document's title, the text in the program's colours, and page numbers.
//   zantor_readme_pdf INPUT.md OUTPUT.pdf

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <cstdio>

namespace {

const QColor kHeadingColour(0x2f, 0x6f, 0xb5);
const QColor kTextColour(0x2d, 0x37, 0x48);
const QColor kQuietColour(0x71, 0x80, 0x96);
const QColor kRuleColour(0xd3, 0xdb, 0xe6);
const QString kFontFamily = QStringLiteral("DejaVu Sans");

// The first level-one heading names the document.
QString documentTitle(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            return block.text();
    }
    return {};
}

// Headings in the program's blue with room above them; paragraphs with air between.
// Margins are in pixels of a 96 dpi screen: the layout scales them to the writer.
void styleBlocks(QTextDocument& document) {
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        QTextBlockFormat paragraph = block.blockFormat();
        const int level = paragraph.headingLevel();
        paragraph.setLineHeight(level > 0 ? 100 : 130, QTextBlockFormat::ProportionalHeight);
        // Items of a list stand close together; the list as a whole is one paragraph.
        const QTextList* list = block.textList();
        const bool insideList = list && list->itemNumber(block) < list->count() - 1;
        paragraph.setTopMargin(level > 1 ? 18 : 0);
        paragraph.setBottomMargin(level == 1 ? 14 : level > 0 ? 6 : insideList ? 3 : 8);
        cursor.mergeBlockFormat(paragraph);
        if (level > 0) {
            QTextCharFormat heading;
            heading.setForeground(kHeadingColour);
            heading.setFontPointSize(level == 1 ? 20 : level == 2 ? 13.5 : 11.5);
            heading.setFontWeight(QFont::Bold);
            cursor.mergeCharFormat(heading);
        }
    }
}

// Tables as full-width grids of thin rules, the header row on a light band.
void styleTables(QTextDocument& document) {
    const QList<QTextFrame*> frames = document.rootFrame()->childFrames();
    for (QTextFrame* frame : frames) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat grid = table->format();
        grid.setBorderCollapse(true);
        grid.setBorder(1);
        grid.setBorderBrush(kRuleColour);
        grid.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        grid.setCellSpacing(0);
        grid.setCellPadding(5);
        grid.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        grid.setBottomMargin(8);
        table->setFormat(grid);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat header = cell.format();
            header.setBackground(QColor(0xe4, 0xeb, 0xf4));
            header.setFontWeight(QFont::Bold);
            cell.setFormat(header);
        }
    }
}

// A heading at the foot of a page, with its text on the next, moves to the next page.
void keepHeadingsWithTheirText(QTextDocument& document, qreal pageHeight) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const auto pageOf = [pageHeight](qreal y) { return static_cast<int>(y / pageHeight); };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (block.blockFormat().headingLevel() == 0 || !next.isValid())
            continue;
        const QRectF heading = layout->blockBoundingRect(block);
        const QRectF text = layout->blockBoundingRect(next);
        const QTextLine firstLine = next.layout()->lineAt(0);
        const qreal firstLineBottom =
            text.top() + (firstLine.isValid() ? firstLine.y() + firstLine.height() : 0);
        if (pageOf(heading.top()) == pageOf(firstLineBottom))
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat breakBefore;
        breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.mergeBlockFormat(breakBefore);
    }
}

void drawHeaderAndFooter(QPainter& painter, const QRectF& page, const QString& title, int pageNumber,
                         int pageCount, qreal headerHeight) {
    QFont small(kFontFamily);
    small.setPointSizeF(8);
    painter.setFont(small);
    const qreal textHeight = painter.fontMetrics().height();
    painter.setPen(kQuietColour);
    const QRectF header(page.left(), page.top(), page.width(), textHeight);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Zantor · Executor de arquivos"));
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, title);
    painter.setPen(QPen(kRuleColour, painter.device()->logicalDpiY() / 150.0));
    const qreal ruleY = page.top() + headerHeight / 2;
    painter.drawLine(QPointF(page.left(), ruleY), QPointF(page.right(), ruleY));
    painter.setPen(kQuietColour);
    const QRectF footer(page.left(), page.bottom() - textHeight, page.width(), textHeight);
    painter.drawText(footer, Qt::AlignCenter,
                     QStringLiteral("Página %1 de %2").arg(pageNumber).arg(pageCount));
}

bool render(const QString& inputPath, const QString& outputPath) {
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(inputPath), qPrintable(input.errorString()));
        return false;
    }
    QPdfWriter writer(outputPath);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(22, 16, 22, 16), QPageLayout::Millimeter));

    QTextDocument document;
    QFont body(kFontFamily);
    body.setPointSizeF(10.5);
    // Without ligatures, text copied or searched in the viewer reads as typed.
    body.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(body);
    document.setIndentWidth(22);
    document.setMarkdown(QString::fromUtf8(input.readAll()), QTextDocument::MarkdownDialectGitHub);
    styleBlocks(document);
    styleTables(document);
    const QString title = documentTitle(document);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Zantor"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "%s: cannot be written\n", qPrintable(outputPath));
        return false;
    }
    // The painter's origin is the top left corner inside the margins.
    const QRectF page(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
    const qreal millimetre = writer.resolution() / 25.4;
    const qreal headerHeight = 12 * millimetre;
    const qreal footerHeight = 10 * millimetre;
    const QRectF text(page.left(), page.top() + headerHeight, page.width(),
                      page.height() - headerHeight - footerHeight);

    // Laid out for the writer's resolution, in pages of the text area.
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(text.size());
    keepHeadingsWithTheirText(document, text.height());
    const int pageCount = document.pageCount();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, kTextColour);
    for (int index = 0; index < pageCount; ++index) {
        if (index > 0)
            writer.newPage();
        drawHeaderAndFooter(painter, page, title, index + 1, pageCount, headerHeight);
        painter.save();
        painter.translate(text.left(), text.top() - index * text.height());
        context.clip = QRectF(0, index * text.height(), text.width(), text.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

} // namespace

int main(int argc, char* argv[]) {
    // A build step shows no window: it needs fonts, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT.md OUTPUT.pdf\n", argv[0]);
        return 2;
    }
    return render(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
