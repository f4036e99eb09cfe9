#include "TSource.h"

#include <QByteArrayView>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QStringDecoder>

namespace {

// The shown text of a sentence: without its line end, which a one-line row cannot show,
// and otherwise as received. Receivers speak ASCII; a stray byte that is not UTF-8 makes
// the whole text Latin-1, so every byte stays visible as some character.
QString RowText(std::string_view bytes) {
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) {
        bytes.remove_suffix(1);
    }
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError()) {
        return QString::fromLatin1(view);
    }
    return text;
}

void MakeWhite(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

TSource::TSource(AppState& state, QWidget* parent) : TMDIChild(parent), state_(state) {
    setObjectName("Source");
    setWindowTitle("Message View");

    scroller_ = new QScrollArea;
    scroller_->setObjectName("SourceScroller");
    scroller_->setFrameShape(QFrame::NoFrame);
    // The rows keep their place; the area scrolls only when the user moves a bar.
    scroller_->setWidgetResizable(false);
    MakeWhite(scroller_->viewport());
    scroller_->setWidget(BuildRows());
    setWidget(scroller_);

    move(kLeft, kTop);
    resize(kWidth, kHeight);
}

TSource::~TSource() {
    FormDestroy();
}

QWidget* TSource::BuildRows() {
    auto* rows = new QWidget;
    rows->setObjectName("SourceRows");
    rows->setFixedSize(kScrollWidth, kScrollHeight);
    QFont font("Arial");
    font.setPixelSize(kFontPixelSize);
    rows->setFont(font);
    MakeWhite(rows);

    static constexpr const char* kNames[kRowCount] = {"Label1", "Label2", "Label3", "Label4",
                                                      "Label5", "Label6", "Label7", "Label8"};
    for (int row = 1; row <= kRowCount; ++row) {
        auto* label = new QLabel(rows);
        label->setObjectName(kNames[row - 1]);
        // Sentences are shown as text, never read as markup; a long one is cut at the
        // row's right edge rather than wrapped or shortened.
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(0, (row - 1) * kRowHeight, kRowWidth, kRowHeight);
        label->setFixedSize(kRowWidth, kRowHeight);
        MakeWhite(label);
        RowMember(row) = label;
    }
    return rows;
}

QLabel*& TSource::RowMember(int row) {
    static constexpr QLabel* TSource::*kMembers[kRowCount] = {
        &TSource::Label1, &TSource::Label2, &TSource::Label3, &TSource::Label4,
        &TSource::Label5, &TSource::Label6, &TSource::Label7, &TSource::Label8};
    return this->*kMembers[row - 1];
}

QLabel* TSource::Row(int row) {
    if (row < 1 || row > kRowCount) {
        return nullptr;
    }
    return RowMember(row);
}

bool TSource::ShowMessageRow(int row, const char* text) {
    return ShowMessageRow(row, text == nullptr ? std::string_view() : std::string_view(text));
}

bool TSource::ShowMessageRow(int row, std::string_view text) {
    QLabel* label = Row(row);
    if (label == nullptr) {
        return false;
    }
    label->setText(RowText(text));
    return true;
}

bool TSource::ClearRow(int row) {
    QLabel* label = Row(row);
    if (label == nullptr) {
        return false;
    }
    label->clear();
    return true;
}

void TSource::ClearRows(std::span<const int> rows) {
    for (int row : rows) {
        ClearRow(row);
    }
}

void TSource::ClearRows(std::initializer_list<int> rows) {
    ClearRows(std::span<const int>(rows.begin(), rows.size()));
}

void TSource::FormDestroy() {
    state_.messageViewOpen = 0;
}
