#include "events/ui/MagnitudeDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

QString Number(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

// A field read as "%f" reads it: text that is no number counts as 0.
double Read(const QLineEdit* edit) {
    bool ok = false;
    const double v = edit->text().trimmed().toDouble(&ok);
    return ok ? v : 0.0;
}

void Warn(MessageSink& messages, const std::string& text, const std::string& caption = "ZEL") {
    messages.show({text, caption, MessageIcon::Warning, MessageButtons::Ok});
}

struct MagnitudeLook {
    DialogMagnitude magnitude;
    const char* button;
    const char* title;
};
constexpr MagnitudeLook kMagnitudes[] = {
    {DialogMagnitude::Ms, "M&s", QT_TRID_NOOP("Магнитуда Ms")},
    {DialogMagnitude::Mb, "M&b", QT_TRID_NOOP("Магнитуда Mb")},
    {DialogMagnitude::Mplp, "MP&LP", QT_TRID_NOOP("Магнитуда MPLP")},
    {DialogMagnitude::Mpsp, "MPS&P", QT_TRID_NOOP("Магнитуда MPSP")},
    {DialogMagnitude::Mkt, "MK&T", QT_TRID_NOOP("Магнитуда по коде")},
    {DialogMagnitude::Ml, "&ML", QT_TRID_NOOP("Локальная магнитуда ML")},
};

const MagnitudeLook& LookOf(DialogMagnitude m) {
    for (const MagnitudeLook& look : kMagnitudes)
        if (look.magnitude == m) return look;
    return kMagnitudes[0];
}

}  // namespace

std::string MissingPickText(const std::string& phase) {
    return qtTrId(
               "Отметка фазы '%1' отсутствует.\n Ассоциация не может быть выполнена.\n"
               "Результат расчета не будет запомнен")
        .arg(QString::fromStdString(phase))
        .toStdString();
}

void FillPhaseBox(QComboBox* box, const PhaseCatalogue& catalogue) {
    for (int i = 0; i < catalogue.Count(); ++i) box->addItem(QString::fromStdString(catalogue.Name(i)), i);
    box->setCurrentIndex(0);
}

CAmplitudeDlg::CAmplitudeDlg(const AmplitudeResult& result, ZELPhases& list, const PhaseCatalogue& catalogue,
                             MessageSink& messages, std::vector<std::string> calibrationDirs, QWidget* parent)
    : QDialog(parent),
      result_(result),
      list_(list),
      catalogue_(catalogue),
      messages_(messages),
      calibrationDirs_(std::move(calibrationDirs)) {
    setWindowTitle(qtTrId("Результат расчета периода и амплитуды"));
    auto* form = new QFormLayout;
    form->addRow(qtTrId("Станция:"),
                 new QLabel(QString::fromStdString(result.station + "  " + result.channel), this));
    amplitude_ = new QLineEdit(Number("%f", result.amplitude), this);
    period_ = new QLineEdit(Number("%f", result.period), this);
    distance_ = new QLineEdit(Number("%.3f", result.distance), this);
    depth_ = new QLineEdit(Number("%.1f", result.depth), this);
    log_ = new QLabel(this);
    form->addRow(qtTrId("Амплитуда (мкм):"), amplitude_);
    form->addRow(qtTrId("Период (с):"), period_);
    form->addRow("Log(A/T):", log_);
    form->addRow(qtTrId("Расстояние (град.):"), distance_);
    form->addRow(qtTrId("Глубина (км):"), depth_);
    form->addRow(qtTrId("АЧХ:"), new QLabel(Number("%g", result.response), this));
    form->addRow(qtTrId("Фильтр:"), new QLabel(QString::fromStdString(result.filter), this));
    form->addRow(qtTrId("Время замера:"),
                 new QLabel(QString::fromStdString(FormatUiTime(result.time, UiTimeForm::DateTimeMs)), this));
    phase_ = new QComboBox(this);
    FillPhaseBox(phase_, catalogue);
    // The swing belongs to the onset it follows.
    if (const SEISMIC_PHASE* onset = list.LatestUntil(result.stationIndex, result.slot, result.time))
        phase_->setCurrentIndex(phase_->findData(onset->phaseIndex));
    form->addRow(qtTrId("Ассоциировать с фазой"), phase_);

    auto* grid = new QGridLayout;
    int row = 0;
    for (const MagnitudeLook& look : kMagnitudes) {
        auto* button = new QPushButton(look.button, this);
        auto* field = new QLineEdit(this);
        buttons_[look.magnitude] = button;
        results_[look.magnitude] = field;
        grid->addWidget(button, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
        connect(button, &QPushButton::clicked, this, [this, m = look.magnitude] { compute(m); });
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &CAmplitudeDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(grid);
    layout->addWidget(box);

    connect(phase_, &QComboBox::currentIndexChanged, this, [this] { phaseChanged(); });
    connect(amplitude_, &QLineEdit::textChanged, this, [this] { updateLogText(); });
    connect(period_, &QLineEdit::textChanged, this, [this] { updateLogText(); });
    phaseChanged();
    updateLogText();
}

void CAmplitudeDlg::phaseChanged() {
    const bool coda = phase_->currentText() == "Tk";
    for (DialogMagnitude m :
         {DialogMagnitude::Ms, DialogMagnitude::Mb, DialogMagnitude::Mplp, DialogMagnitude::Mpsp})
        buttons_[m]->setEnabled(!coda);
    buttons_[DialogMagnitude::Mkt]->setEnabled(coda);
}

void CAmplitudeDlg::updateLogText() {
    const double a = Read(amplitude_), t = Read(period_);
    log_->setText(a > 0 && t > 0 ? Number("%.3f", std::log10(a / t)) : QString());
}

std::optional<StationMagnitude> CAmplitudeDlg::magnitude(DialogMagnitude m, double a, double t, double delta,
                                                         double h) {
    switch (m) {
        case DialogMagnitude::Ms:
            return MagnitudeMs(a, t, delta);
        case DialogMagnitude::Mkt: {
            const double coda = CodaMagnitude(t, a);
            if (coda < 0)
                return StationMagnitude{
                    std::nullopt,
                    qtTrId("Длительность коды (10-1000 с) или амплитуда (0.002-3000 мкм) вне допустимых "
                           "пределов.\nМагнитуда по коде не рассчитана.")
                        .toStdString()};
            return StationMagnitude{coda, {}};
        }
        case DialogMagnitude::Ml: {
            CMLCalib calibration;
            const bool table = calibration.load(calibrationDirs_, result_.station) == 1;
            return LocalMagnitude(table ? &calibration : nullptr, a, delta, h);
        }
        default: {
            const TableMagnitudeKind kind = m == DialogMagnitude::Mb     ? TableMagnitudeKind::Mb
                                            : m == DialogMagnitude::Mplp ? TableMagnitudeKind::Mplp
                                                                         : TableMagnitudeKind::Mpsp;
            const std::string path = FindCalibrationFile(calibrationDirs_, TableMagnitudeFile(kind));
            CCALIBDATA table;
            if (path.empty() || !table.load(path)) {
                messages_.show({TableLoadError(kind), qtTrId(LookOf(m).title).toStdString(),
                                MessageIcon::Error, MessageButtons::Ok});
                return std::nullopt;
            }
            return TableMagnitude(kind, table, a, t, h, delta);
        }
    }
}

void CAmplitudeDlg::compute(DialogMagnitude m) {
    const std::string title = qtTrId(LookOf(m).title).toStdString();
    const double a = Read(amplitude_), t = Read(period_);
    double delta = Read(distance_);
    const double h = Read(depth_);
    // ML takes the amplitude by its size and has no use for the period, but refuses a zero one too.
    const std::string e = m == DialogMagnitude::Ml
                              ? (t == 0 ? qtTrId("Период = 0").toStdString() : std::string())
                              : AmplitudePeriodError(a, t);
    if (!e.empty()) return Warn(messages_, e, title);
    if (!(delta >= 0 && delta <= 180))
        return Warn(messages_, qtTrId("Расстояние должно быть от 0 до 180 градусов").toStdString(), title);
    if (!(h >= 0 && h <= 800))
        return Warn(messages_, qtTrId("Глубина должна быть от 0 до 800 км").toStdString(), title);
    if (delta == 0) delta = 0.001;
    const std::optional<StationMagnitude> value = magnitude(m, a, t, delta, h);
    if (!value) return;
    if (!value->value) return Warn(messages_, value->error, title);
    const QString text = Number(m == DialogMagnitude::Ml ? "%3.1f" : "%3.2f", *value->value);
    if (messages_.show({text.toStdString(), title, MessageIcon::Information, MessageButtons::OkCancel}) ==
        MessageAnswer::Ok)
        results_[m]->setText(text);
}

void CAmplitudeDlg::accept() {
    const int phaseIndex = phase_->currentData().toInt();
    SEISMIC_PHASE* pick = list_.Find(result_.stationIndex, result_.slot, phaseIndex);
    if (pick == nullptr) {
        const MessageAnswer answer = messages_.show({MissingPickText(phase_->currentText().toStdString()),
                                                     "ZEL", MessageIcon::Warning, MessageButtons::OkCancel});
        if (answer == MessageAnswer::Ok) QDialog::reject();
        return;
    }
    pick->amplitude = static_cast<float>(Read(amplitude_));
    pick->period = static_cast<float>(Read(period_));
    pick->hasAmplitude = 1;
    pick->ampTime = result_.time;
    pick->ampFilter = result_.filter;
    pick->savable = 1;
    const std::pair<DialogMagnitude, float SEISMIC_PHASE::*> fields[] = {
        {DialogMagnitude::Mpsp, &SEISMIC_PHASE::mpsp}, {DialogMagnitude::Mplp, &SEISMIC_PHASE::mplp},
        {DialogMagnitude::Mb, &SEISMIC_PHASE::mb},     {DialogMagnitude::Ms, &SEISMIC_PHASE::ms},
        {DialogMagnitude::Ml, &SEISMIC_PHASE::ml},
    };
    for (auto [m, field] : fields)
        if (const double v = Read(results_[m]); !results_[m]->text().trimmed().isEmpty() && v > 0)
            pick->*field = static_cast<float>(v);
    if (const double v = Read(results_[DialogMagnitude::Mkt]);
        !results_[DialogMagnitude::Mkt]->text().trimmed().isEmpty() && v > 0)
        pick->mcoda = v;
    if (onStored) onStored();
    QDialog::accept();
}

CCodaDlg::CCodaDlg(double duration, const PhaseCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), duration_(duration) {
    setWindowTitle(qtTrId("Кода"));
    auto* form = new QFormLayout(this);
    form->addRow(qtTrId("Значение"), new QLabel(Number("%.3f", duration), this));
    phase_ = new QComboBox(this);
    FillPhaseBox(phase_, catalogue);
    form->addRow(qtTrId("Ассоциировать с фазой"), phase_);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(box);
}

CEnergyClassDlg::CEnergyClassDlg(EnergyClassScale scale, int stationIndex, double distanceKm, double depthKm,
                                 double ap, double as, ZELPhases& list, const PhaseCatalogue& catalogue,
                                 MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      scale_(scale),
      stationIndex_(stationIndex),
      list_(list),
      catalogue_(catalogue),
      messages_(messages) {
    setWindowTitle(qtTrId("Энергетический класс"));
    auto* form = new QFormLayout(this);
    distance_ = new QLineEdit(Number("%.1f", distanceKm), this);
    depth_ = new QLineEdit(Number("%.1f", depthKm), this);
    ap_ = new QLineEdit(Number("%f", ap), this);
    as_ = new QLineEdit(Number("%f", as), this);
    form->addRow(qtTrId("Расстояние (км)"), distance_);
    form->addRow(qtTrId("Глубина (км)"), depth_);
    form->addRow(qtTrId("Ap(мкм)"), ap_);
    form->addRow(qtTrId("As(мкм)"), as_);
    class_ = new QLabel(this);
    form->addRow(scale == EnergyClassScale::Vegik ? qtTrId("Класс (Раутиан по ВЭГИК)")
                                                  : qtTrId("Класс (Раутиан по CKM)"),
                 class_);
    phase_ = new QComboBox(this);
    FillPhaseBox(phase_, catalogue);
    form->addRow(qtTrId("Ассоциировать с фазой"), phase_);
    auto* box = new QDialogButtonBox(this);
    QPushButton* calc = box->addButton(qtTrId("Рассчитать"), QDialogButtonBox::ActionRole);
    QPushButton* keep = box->addButton(qtTrId("Запомнить"), QDialogButtonBox::ActionRole);
    box->addButton(QDialogButtonBox::Close);
    connect(calc, &QPushButton::clicked, this, [this] { calculate(); });
    connect(keep, &QPushButton::clicked, this, [this] { store(); });
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(box);
}

QString CEnergyClassDlg::classText() const { return class_->text(); }

void CEnergyClassDlg::calculate() {
    const double d = Read(distance_), h = Read(depth_), ap = Read(ap_), as = Read(as_);
    class_->setText(QString::fromStdString(scale_ == EnergyClassScale::Vegik ? EnergyClassVegik(d, h, ap, as)
                                                                             : EnergyClassSkm(d, h, ap, as)));
}

bool CEnergyClassDlg::store() {
    bool ok = false;
    const double k = class_->text().toDouble(&ok);
    if (!ok) return false;  // "???" or not calculated
    const int phaseIndex = phase_->currentData().toInt();
    for (int i = 0; i < list_.Count(); ++i) {
        SEISMIC_PHASE* p = list_.GetAt(i);
        if (p->stationIndex != stationIndex_ || p->phaseIndex != phaseIndex) continue;
        p->energyClass = k;
        p->savable = 1;
        if (onStored) onStored();
        return true;
    }
    messages_.show({MissingPickText(phase_->currentText().toStdString()), "ZEL", MessageIcon::Warning,
                    MessageButtons::Ok});
    return false;
}

}  // namespace zel
