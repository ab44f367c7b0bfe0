#include "wave/ui/WaveformsSetupPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <tuple>

#include "session/AppContext.h"
#include "wave/NamedColors.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

QString ColorText(const Rgb& c) { return QString::asprintf("%d,%d,%d", c.red, c.green, c.blue); }

}  // namespace

CWaveformsSetupPage::CWaveformsSetupPage(AppContext& context, waveform* window)
    : context_(context), window_(window) {
    auto* grid = new QGridLayout(this);
    const char* labels[] = {QT_TRID_NOOP("Волновые формы"), QT_TRID_NOOP("Преобразованный сигнал"),
                            QT_TRID_NOOP("Метки (время, амплитуда)"), QT_TRID_NOOP("Основной фон")};
    const TraceColors& c = context.settings().colors;
    const Rgb values[] = {c.waveforms, c.transforms, c.labels, c.background};
    for (int i = 0; i < 4; ++i) {
        edits_[i] = new QLineEdit(ColorText(values[i]), this);
        names_[i] = new QComboBox(this);
        for (const NamedColor& named : NamedColors()) names_[i]->addItem(qtTrId(named.name));
        names_[i]->setCurrentIndex(NamedColorIndex(values[i]));
        // A named colour fills the text; "другой" leaves the text for typing.
        connect(names_[i], &QComboBox::activated, this, [this, i](int index) {
            if (index > 0) edits_[i]->setText(ColorText(NamedColors()[index].value));
        });
        grid->addWidget(new QLabel(qtTrId(labels[i]), this), i, 0);
        grid->addWidget(edits_[i], i, 1);
        grid->addWidget(names_[i], i, 2);
    }
    auto* defaults = new QPushButton(qtTrId("По умолчанию"), this);
    connect(defaults, &QPushButton::clicked, this, &CWaveformsSetupPage::restoreDefaults);
    grid->addWidget(defaults, 4, 2);
    const waveform* w = window_;
    drawWaveforms_ = new QCheckBox(qtTrId("Рисовать графики волновых форм"), this);
    drawWaveforms_->setChecked(!w || w->style().drawWaveforms);
    timeGrid_ = new QCheckBox(qtTrId("Отображать сетку по шкале времени"), this);
    timeGrid_->setChecked(!w || w->style().timeGrid);
    // How the analyst works the panes: kept for the next start.
    keepTransformation_ = new QCheckBox(qtTrId("Сохранять фильтр окна при сдвиге и масштабировании"), this);
    keepTransformation_->setChecked(context.settings().keepTransformation);
    pickModeStays_ = new QCheckBox(qtTrId("Режим отметки фаз остается включенным после отметки"), this);
    pickModeStays_->setChecked(context.settings().pickModeStays);
    grid->addWidget(drawWaveforms_, 5, 0, 1, 3);
    grid->addWidget(timeGrid_, 6, 0, 1, 3);
    grid->addWidget(keepTransformation_, 7, 0, 1, 3);
    grid->addWidget(pickModeStays_, 8, 0, 1, 3);
    grid->setRowStretch(9, 1);
}

void CWaveformsSetupPage::restoreDefaults() {
    const TraceColors defaults;
    const Rgb values[] = {defaults.waveforms, defaults.transforms, defaults.labels, defaults.background};
    for (int i = 0; i < 4; ++i) {
        edits_[i]->setText(ColorText(values[i]));
        names_[i]->setCurrentIndex(NamedColorIndex(values[i]));
    }
}

void CWaveformsSetupPage::save() {
    TraceColors colors = context_.settings().colors;
    Rgb* targets[] = {&colors.waveforms, &colors.transforms, &colors.labels, &colors.background};
    // A text that is not three numbers keeps the colour it had.
    for (int i = 0; i < 4; ++i)
        if (auto parsed = ParseColor(edits_[i]->text().toStdString())) *targets[i] = *parsed;
    if (!(colors == context_.settings().colors)) {
        context_.settings().colors = colors;
        SaveColors(context_.ini(), colors);
    }
    StartupSettings& settings = context_.settings();
    for (auto [box, flag, key] : {std::tuple{keepTransformation_, &settings.keepTransformation, "KEEPTRANSFORMATION"},
                                  std::tuple{pickModeStays_, &settings.pickModeStays, "PICKMODESTAYS"}}) {
        if (box->isChecked() == *flag) continue;
        *flag = box->isChecked();
        context_.ini().writeString("WAVEFORMS", key, *flag ? "1" : "0");
    }
    if (window_) {
        PaneStyle style = PaneStyle::FromSettings(context_.settings());
        style.drawWaveforms = drawWaveforms_->isChecked();
        style.timeGrid = timeGrid_->isChecked();
        window_->setStyle(style);
    }
}

}  // namespace zel
