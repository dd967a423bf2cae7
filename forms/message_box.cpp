#include "forms/message_box.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/accessibility.h"

namespace zarb::forms {

namespace {

// Where each piece of a line between tabs starts.
QList<int> pieceColumns(const QString& line, const QFontMetrics& metrics, int tabStop) {
    QList<int> columns;
    int x = 0;
    const QStringList pieces = line.split('\t');
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            x = (x / tabStop + 1) * tabStop;
        }
        columns << x;
        x += metrics.horizontalAdvance(pieces[i]);
    }
    return columns;
}

// The texts were laid out for a face whose tab stops put every line's last piece in one column
// (a long label takes one tab where the others take two). Our face is another, so the tab stop
// is the narrowest, from four average character widths up, that keeps that column; eight
// average widths where no stop does.
int fittingTabStop(const QStringList& lines, const QFontMetrics& metrics) {
    const int average = metrics.averageCharWidth();
    for (int stop = 4 * average; stop <= 16 * average; ++stop) {
        int column = -1;
        bool lined = true;
        for (const QString& line : lines) {
            if (line.contains('\t')) {
                const int last = pieceColumns(line, metrics, stop).last();
                lined = lined && (column < 0 || last == column);
                column = last;
            }
        }
        if (lined) {
            return stop;
        }
    }
    return 8 * average;
}

class TextArea : public QWidget {
  public:
    TextArea(const QStringList& lines, QWidget* parent) : QWidget(parent), lines_(lines) {
        fitText();
    }

    QList<int> lastColumns() const {
        QList<int> columns;
        for (const QString& line : lines_) {
            columns << pieceColumns(line, QFontMetrics(font()), tabStop_).last();
        }
        return columns;
    }

  protected:
    // A box drawn smaller on a small screen gives its text a smaller face.
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) {
            fitText();
        }
        QWidget::changeEvent(event);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        for (int row = 0; row < lines_.size(); ++row) {
            const QStringList pieces = lines_[row].split('\t');
            const QList<int> columns = pieceColumns(lines_[row], metrics, tabStop_);
            const int baseline = row * metrics.lineSpacing() + metrics.ascent();
            for (int i = 0; i < pieces.size(); ++i) {
                painter.drawText(columns[i], baseline, pieces[i]);
            }
        }
    }

  private:
    void fitText() {
        const QFontMetrics metrics(font());
        tabStop_ = fittingTabStop(lines_, metrics);
        int width = 0;
        for (const QString& line : lines_) {
            const QList<int> columns = pieceColumns(line, metrics, tabStop_);
            width = std::max(width,
                             columns.last() + metrics.horizontalAdvance(line.split('\t').last()));
        }
        setFixedSize(width + 2, metrics.lineSpacing() * static_cast<int>(lines_.size()));
    }

    QStringList lines_;
    int tabStop_ = 0;
};

}  // namespace

MessageBox::MessageBox(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      lines_(text.split("\r\n")) {
    setObjectName("msgbox");
    setWindowTitle(title);
    setAccessibleName(title);
    setModal(true);
    textArea_ = new TextArea(lines_, this);
    // Read as text, the lines one by one.
    setAccessibleRole(*textArea_, QAccessible::StaticText);
    textArea_->setAccessibleName(lines_.join('\n'));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, this);
    buttons->setCenterButtons(true);
    // One plain OK button: some styles would decorate it with an icon.
    buttons->button(QDialogButtonBox::Ok)->setIcon(QIcon());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    buttons_ = buttons;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textArea_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    drawAt(1);
}

void MessageBox::drawAt(qreal scale) {
    if (!designedFont_) {
        designedFont_ = font();
    }
    // As designed, the box takes the desktop's face as it is.
    setFont(scale == 1 ? QFont() : scaledFont(*designedFont_, scale));
    const auto scaled = [scale](int pixels) { return qRound(pixels * scale); };
    layout()->setContentsMargins(scaled(24), scaled(18), scaled(24), scaled(12));
    layout()->setSpacing(scaled(16));
    // The window manager writes the title in its own bold face beside the window's icon and
    // buttons; a box only as wide as its text would show the title cut short.
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    const int titleWidth =
        titleMetrics.horizontalAdvance(windowTitle()) + 8 * titleMetrics.height();
    buttons_->setMinimumWidth(scaled(titleWidth));
}

QList<int> MessageBox::lastTabColumns() const {
    return static_cast<const TextArea*>(textArea_)->lastColumns();
}

}  // namespace zarb::forms
