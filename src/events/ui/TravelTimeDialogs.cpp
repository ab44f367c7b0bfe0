#include "events/ui/TravelTimeDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "base/MessageSink.h"
#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

void Warn(MessageSink& messages, const std::string& text) {
    messages.show({text, "ZEL", MessageIcon::Warning, MessageButtons::Ok});
}

// A number typed in a field; a text that is not one beeps and takes the focus.
std::optional<float> FieldNumber(QLineEdit* edit) {
    bool ok = false;
    const float v = edit->text().trimmed().toFloat(&ok);
    if (ok && std::isfinite(v)) return v;
    QApplication::beep();
    edit->setFocus();
    edit->selectAll();
    return std::nullopt;
}

void FillPhases(QComboBox* box, const PhaseCatalogue& catalogue) {
    box->clear();
    for (int i = 0; i < catalogue.Count(); ++i) box->addItem(QString::fromStdString(catalogue.Name(i)), i);
}

void Select(QComboBox* box, const char* phase) {
    const int at = box->findText(phase);
    if (at >= 0) box->setCurrentIndex(at);
}

// One spin box with its finer step on the arrows and the coarser one on two buttons.
QHBoxLayout* SpinRow(QDoubleSpinBox* box, double coarse, QWidget* parent) {
    auto* row = new QHBoxLayout;
    auto* down = new QPushButton(QString("-%1").arg(coarse), parent);
    auto* up = new QPushButton(QString("+%1").arg(coarse), parent);
    QObject::connect(down, &QPushButton::clicked, box,
                     [box, coarse] { box->setValue(box->value() - coarse); });
    QObject::connect(up, &QPushButton::clicked, box, [box, coarse] { box->setValue(box->value() + coarse); });
    row->addWidget(box, 1);
    row->addWidget(down);
    row->addWidget(up);
    return row;
}

}  // namespace

// ---------------------------------------------------------------- calculator

CTravelTimeDlg::CTravelTimeDlg(const PhaseCatalogue& catalogue, MessageSink& messages, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), messages_(messages) {
    setWindowTitle(qtTrId("Годограф. Расчет времени пробега фазы."));
    phase_ = new QComboBox(this);
    phase_->setEditable(true);
    FillPhases(phase_, catalogue);
    phase_->setCurrentIndex(0);
    distance_ = new QLineEdit("0", this);
    depth_ = new QLineEdit("0", this);
    answer_ = new QLabel(this);
    auto* calculate = new QPushButton(qtTrId("Рассчитать"), this);
    calculate->setDefault(true);
    auto* close = new QPushButton(qtTrId("Закрыть"), this);
    connect(calculate, &QPushButton::clicked, this, &CTravelTimeDlg::calculate);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(qtTrId("Фаза"), this), 0, 0);
    grid->addWidget(phase_, 0, 1);
    grid->addWidget(new QLabel(qtTrId("Расстояние (град.)"), this), 1, 0);
    grid->addWidget(distance_, 1, 1);
    grid->addWidget(new QLabel(qtTrId("Глубина"), this), 2, 0);
    grid->addWidget(depth_, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(calculate);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(answer_);
    layout->addLayout(buttons);
}

void CTravelTimeDlg::calculate() {
    const std::optional<float> distance = FieldNumber(distance_);
    if (!distance) return;
    const std::optional<float> depth = FieldNumber(depth_);
    if (!depth) return;
    try {
        const double t = CalculatorTravelTime(catalogue_, phase_->currentText().trimmed().toStdString(),
                                              *depth, *distance);
        answer_->setText(QString::fromStdString(TravelTimeText(t)));
    } catch (const ZelError& e) {
        answer_->clear();
        Warn(messages_, e.what());
    }
}

// ---------------------------------------------------------------- distance estimate

CDistanceEstimateDlg::CDistanceEstimateDlg(const PhaseCatalogue& catalogue, const ZELPhases& phases,
                                           MessageSink& messages, const QString& stationName, int station,
                                           int channel, float depth, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      phases_(phases),
      messages_(messages),
      station_(station),
      channel_(channel) {
    setWindowTitle(qtTrId("Оценка расстояния до эпицентра"));
    first_ = new QComboBox(this);
    second_ = new QComboBox(this);
    FillPhases(first_, catalogue);
    FillPhases(second_, catalogue);
    Select(first_, "P");
    Select(second_, "S");
    depth_ = new QLineEdit(QString::number(depth, 'g', 6), this);
    auto* calculate = new QPushButton(qtTrId("Рассчитать"), this);
    calculate->setDefault(true);
    auto* close = new QPushButton(qtTrId("Закрыть"), this);
    connect(calculate, &QPushButton::clicked, this, &CDistanceEstimateDlg::calculate);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(qtTrId("Оценить расстояние от станции"), this), 0, 0);
    grid->addWidget(new QLabel(stationName, this), 0, 1);
    grid->addWidget(new QLabel(qtTrId("до эпицентра по времени прихода"), this), 1, 0, 1, 2);
    auto* phasesRow = new QHBoxLayout;
    phasesRow->addWidget(new QLabel(qtTrId("фаз"), this));
    phasesRow->addWidget(first_);
    phasesRow->addWidget(new QLabel(qtTrId("и"), this));
    phasesRow->addWidget(second_);
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(new QLabel(qtTrId("при глубине"), this));
    depthRow->addWidget(depth_);
    depthRow->addWidget(new QLabel(qtTrId("км."), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(calculate);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(phasesRow);
    layout->addLayout(depthRow);
    layout->addLayout(buttons);
}

float CDistanceEstimateDlg::depth() const {
    bool ok = false;
    const float v = depth_->text().trimmed().toFloat(&ok);
    return ok ? v : 0.0f;
}

void CDistanceEstimateDlg::calculate() {
    const std::optional<float> depth = FieldNumber(depth_);
    if (!depth) return;
    const int first = first_->currentData().toInt(), second = second_->currentData().toInt();
    DistanceEstimate estimate;
    try {
        estimate = EstimateDistance(catalogue_, phases_, station_, channel_, first, second, *depth);
    } catch (const ZelError& e) {
        Warn(messages_, e.what());
        return;
    }
    const MessageAnswer answer = messages_.show(
        {DistanceEstimateText(estimate, *depth), "ZEL", MessageIcon::Information, MessageButtons::OkCancel});
    if (answer == MessageAnswer::Ok && onAccepted) onAccepted(estimate, first, second, *depth);
}

// ---------------------------------------------------------------- phase placement

CPhasePlacementDlg::CPhasePlacementDlg(const PhaseCatalogue& catalogue, PrivateProfile& ini,
                                       MessageSink& messages, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), ini_(ini), messages_(messages) {
    setWindowTitle(qtTrId("Расставить фазы"));
    list_ = new QListWidget(this);
    reference_ = new QComboBox(this);

    auto* sets = new QGridLayout;
    const char* const setNames[3] = {QT_TRID_NOOP("Телесейсмический"), QT_TRID_NOOP("Региональный"),
                                     QT_TRID_NOOP("Локальный")};
    for (int i = 0; i < 3; ++i) {
        auto* check = new QPushButton(qtTrId(setNames[i]), this);
        auto* edit = new QPushButton("...", this);
        edit->setMaximumWidth(32);
        connect(check, &QPushButton::clicked, this, [this, i] { checkSet(i); });
        connect(edit, &QPushButton::clicked, this, [this, i] { editSet(i); });
        sets->addWidget(check, i, 0);
        sets->addWidget(edit, i, 1);
    }
    auto* clear = new QPushButton(qtTrId("Чистый"), this);
    connect(clear, &QPushButton::clicked, this, [this] { checkSet(-1); });
    sets->addWidget(clear, 3, 0);

    distance_ = new QDoubleSpinBox(this);
    distance_->setRange(0, 180);
    distance_->setDecimals(3);
    distance_->setSingleStep(0.1);
    depth_ = new QDoubleSpinBox(this);
    depth_->setRange(0, 800);
    depth_->setDecimals(1);
    depth_->setSingleStep(10);
    origin_ = new UtcDateTimeEdit("dd.MM.yyyy HH:mm:ss.zzz",
                                  QDateTime::currentDateTimeUtc().toMSecsSinceEpoch() / 1000.0, this);

    mode_ = new QButtonGroup(this);
    auto* modes = new QGroupBox(this);
    auto* modesLayout = new QVBoxLayout(modes);
    const std::pair<const char*, PlacementMode> modeNames[] = {
        {QT_TRID_NOOP("Относительно времени в очаге"), PlacementMode::FromOrigin},
        {QT_TRID_NOOP("Относительно фазы"), PlacementMode::FromPhase},
        {QT_TRID_NOOP("Относительно фазы и времени в очаге"), PlacementMode::FromPhaseAndOrigin},
    };
    for (const auto& [text, mode] : modeNames) {
        auto* radio = new QRadioButton(qtTrId(text), modes);
        mode_->addButton(radio, static_cast<int>(mode));
        modesLayout->addWidget(radio);
    }
    mode_->button(0)->setChecked(true);

    auto* load = new QPushButton(qtTrId("Загрузить текущие параметры эпицентра"), this);
    connect(load, &QPushButton::clicked, this, &CPhasePlacementDlg::loadCurrent);
    auto* place = new QPushButton(qtTrId("Расставить фазы"), this);
    place->setDefault(true);
    connect(place, &QPushButton::clicked, this, &CPhasePlacementDlg::place);
    auto* close = new QPushButton(qtTrId("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(qtTrId("Расстояние (град.)"), this), 0, 0);
    fields->addLayout(SpinRow(distance_, 1, this), 0, 1);
    fields->addWidget(new QLabel(qtTrId("Глубина(км.)"), this), 1, 0);
    fields->addLayout(SpinRow(depth_, 50, this), 1, 1);
    fields->addWidget(new QLabel(qtTrId("Время в очаге"), this), 2, 0);
    fields->addWidget(origin_, 2, 1);
    fields->addWidget(new QLabel(qtTrId("Опорная фаза"), this), 3, 0);
    fields->addWidget(reference_, 3, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(sets);
    right->addLayout(fields);
    right->addWidget(load);
    right->addWidget(modes);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(place);
    buttons->addWidget(close);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(right, 2);
    refresh();
}

void CPhasePlacementDlg::refresh() {
    list_->clear();
    for (int i = 0; i < catalogue_.Count(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(catalogue_.Name(i)), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, i);
    }
    FillPhases(reference_, catalogue_);
    Select(reference_, "P");
}

void CPhasePlacementDlg::checkSet(int which) {
    const PhaseSets sets = LoadPhaseSets(ini_);
    const std::vector<std::string>* names = which == 0   ? &sets.teleseismic
                                            : which == 1 ? &sets.regional
                                            : which == 2 ? &sets.local
                                                         : nullptr;
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        bool on = false;
        if (names)
            for (const std::string& n : *names) on = on || item->text().toStdString() == n;
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

void CPhasePlacementDlg::editSet(int which) {
    PhaseSets sets = LoadPhaseSets(ini_);
    std::vector<std::string>& names = which == 0 ? sets.teleseismic : which == 1 ? sets.regional : sets.local;
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, qtTrId("Набор фаз"), qtTrId("Фазы через ';'"), QLineEdit::Normal,
                              QString::fromStdString(FormatPhaseSet(names)), &ok);
    if (!ok) return;
    names = ParsePhaseSet(text.toStdString());
    SavePhaseSets(ini_, sets);
}

void CPhasePlacementDlg::loadCurrent() {
    if (!currentParameters) return;
    const std::optional<PlacementRequest> current = currentParameters();
    if (!current) return;
    if (current->originTime > 0)
        origin_->setEpoch(current->originTime);
    if (current->depth >= 0) depth_->setValue(current->depth);
    if (current->distance > 0) distance_->setValue(current->distance);
}

void CPhasePlacementDlg::place() {
    const std::optional<std::pair<int, int>> channel = activeChannel ? activeChannel() : std::nullopt;
    if (!channel) {
        Warn(messages_, qtTrId("Не выбрано главное окно").toStdString());
        return;
    }
    PlacementRequest r;
    r.mode = static_cast<PlacementMode>(mode_->checkedId());
    r.station = channel->first;
    r.channel = channel->second;
    r.distance = static_cast<float>(distance_->value());
    r.depth = static_cast<float>(depth_->value());
    r.originTime = origin_->epoch();
    r.referencePhase = reference_->currentData().toInt();
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            r.phases.push_back(list_->item(row)->data(Qt::UserRole).toInt());

    static const ZELPhases kNone;
    PlacementResult result;
    try {
        result = PlacePhases(catalogue_, phases ? *phases : kNone, r);
    } catch (const PlacementStopped& e) {
        if (addPicks) addPicks(e.partial().picks);
        Warn(messages_, e.what());
        return;
    } catch (const ZelError& e) {
        Warn(messages_, e.what());
        return;
    }
    if (result.noDistance) {
        QApplication::beep();
        return;
    }
    for (const std::string& text : result.skipped) Warn(messages_, text);
    if (r.mode == PlacementMode::FromPhase)
        origin_->setEpoch(result.originTime);
    if (addPicks) addPicks(result.picks);
}

}  // namespace zel
