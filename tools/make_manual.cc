// Build-time generator of the user guide: renders the Japanese HTML source onto A4 pages of a PDF
// file, with a footer naming the guide and the page.
//
// Usage: make_manual <manual html> <output pdf>   (run with QT_QPA_PLATFORM=offscreen)
// Exit status: 0 when the PDF was written, 1 when the source cannot be read, the Japanese face is
// missing or the PDF cannot be written, 2 on a usage error.

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

#include "asset_output.h"

namespace vessaro::tools {

namespace {

const char kBodyFamily[] = "Noto Sans CJK JP";
constexpr int kBodyPointSize = 10;
constexpr int kFooterPointSize = 8;
constexpr int kResolution = 300;
// Millimetres: left, top, right, bottom of the printable area; the footer sits in the bottom part.
const QMarginsF kPageMargins(18, 15, 18, 12);
constexpr qreal kFooterHeightMm = 10;

QString Title() { return QStringLiteral("Vessaro ユーザーガイド"); }

bool ReadSource(const QString& path, QString* html) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "make_manual: cannot read %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
  }
  *html = QString::fromUtf8(file.readAll());
  if (html->trimmed().isEmpty()) {
    std::fprintf(stderr, "make_manual: %s is empty\n", qPrintable(path));
    return false;
  }
  return true;
}

qreal MmToPixels(qreal mm) { return mm / 25.4 * kResolution; }

// Renders the document page by page into pdf. False when nothing could be painted.
bool RenderPdf(const QString& html, QByteArray* pdf) {
  QBuffer buffer(pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kPageMargins,
                                   QPageLayout::Millimeter));
  writer.setTitle(Title());
  writer.setCreator(QStringLiteral("Vessaro"));

  const QRect printable = writer.pageLayout().paintRectPixels(kResolution);
  const qreal footer_height = MmToPixels(kFooterHeightMm);
  const QSizeF body(printable.width(), printable.height() - footer_height);

  QTextDocument document;
  document.setDefaultFont(QFont(kBodyFamily, kBodyPointSize));
  // Laid out for the PDF's resolution, so point sizes in the source keep their printed size.
  document.documentLayout()->setPaintDevice(&writer);
  document.setDocumentMargin(0);
  document.setHtml(html);
  document.setPageSize(body);
  const int page_count = document.pageCount();

  QPainter painter(&writer);
  if (!painter.isActive()) return false;
  QFont footer_font(kBodyFamily, kFooterPointSize);
  for (int page = 0; page < page_count; ++page) {
    if (page > 0) writer.newPage();
    const QRectF slice(0, page * body.height(), body.width(), body.height());
    painter.save();
    painter.translate(0, -slice.top());
    painter.setClipRect(slice);
    document.drawContents(&painter, slice);
    painter.restore();

    const qreal rule_y = body.height() + footer_height * 0.35;
    painter.setPen(QPen(QColor(0x99, 0x99, 0x99), MmToPixels(0.2)));
    painter.drawLine(QPointF(0, rule_y), QPointF(body.width(), rule_y));
    painter.setFont(footer_font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    const QRectF footer(0, rule_y, body.width(), body.height() + footer_height - rule_y);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, Title());
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(page + 1).arg(page_count));
  }
  return painter.end();
}

int MakeManual(const QString& source, const QString& output) {
  if (QFontInfo(QFont(kBodyFamily)).family().compare(kBodyFamily, Qt::CaseInsensitive) != 0) {
    // Without the face the Japanese text would come out as empty boxes.
    std::fprintf(stderr, "make_manual: the font %s is not installed (fonts-noto-cjk)\n",
                 kBodyFamily);
    return 1;
  }
  QString html;
  if (!ReadSource(source, &html)) return 1;
  QByteArray pdf;
  if (!RenderPdf(html, &pdf) || pdf.isEmpty()) {
    std::fprintf(stderr, "make_manual: rendering %s failed\n", qPrintable(source));
    return 1;
  }
  const QString folder = QFileInfo(output).path();
  if (!EnsureOutputFolder(folder)) return 1;
  return WriteFileAtomically(output, pdf) ? 0 : 1;
}

}  // namespace

}  // namespace vessaro::tools

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_manual <manual html> <output pdf>\n");
    return 2;
  }
  return vessaro::tools::MakeManual(QString::fromLocal8Bit(argv[1]),
                                    QString::fromLocal8Bit(argv[2]));
}
