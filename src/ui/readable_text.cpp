#include "ui/readable_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QTextLayout>
#include <QToolTip>

namespace {

constexpr QChar breakHere(0x200B);

bool isSeparator(QChar c) { return c == u'/' || c == u'_' || c == u'-' || c == u'.' || c == u','; }

QStringList wrappedLines(const QString& text, const QFont& font, int width)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        if (paragraph.isEmpty())
            lines << QString();
    }
    return lines;
}

// The tip a help event asks for: an item's own, else the widget's or the nearest parent's, as
// Qt looks for it.
QString tipFor(QWidget* widget, const QPoint& at)
{
    if (auto* view = qobject_cast<QAbstractItemView*>(widget ? widget->parentWidget() : nullptr);
        view && view->viewport() == widget) {
        const QString itemTip = view->indexAt(at).data(Qt::ToolTipRole).toString();
        if (!itemTip.isEmpty())
            return itemTip;
    }
    for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (!w->toolTip().isEmpty())
            return w->toolTip();
    return {};
}

class PlainTips : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = tipFor(widget, help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tipMarkup(tip), widget);
        return true;
    }
};

} // namespace

QString breakable(const QString& text, int longest)
{
    QString out;
    out.reserve(text.size() + text.size() / longest);
    int run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        const bool longRun = run >= longest || (run >= longest * 3 / 4 && isSeparator(c));
        if (longRun && i + 1 < text.size() && !text[i + 1].isSpace()) {
            out += breakHere;
            run = 0;
        }
    }
    return out;
}

QString plainOf(const QString& shown) { return QString(shown).remove(breakHere); }

QString tipMarkup(const QString& plain)
{
    const QFont font = QToolTip::font();
    const int width = QFontMetrics(font).averageCharWidth() * 60;
    QStringList lines = wrappedLines(plain, font, width);
    for (QString& line : lines)
        line = line.toHtmlEscaped();
    // Markup, so that Qt never reads the text as markup itself; each line kept as it was broken.
    return QStringLiteral("<p style=\"white-space:pre\">") + lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

void showTipsAsPlainText()
{
    const QString name = QStringLiteral("plainTips");
    if (!qApp || qApp->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto* tips = new PlainTips(qApp);
    tips->setObjectName(name);
    qApp->installEventFilter(tips);
}
