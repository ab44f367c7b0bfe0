#include "events/ui/GeometryDialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/MessageSink.h"
#include "base/ZelError.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"

namespace zel {
namespace {

QString Fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

// A number typed in a field; nullopt when the text is not one.
std::optional<double> NumberIn(const QLineEdit* edit) {
    bool ok = false;
    const double v = edit->text().trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

void Refuse(QLineEdit* edit) {
    QApplication::beep();
    edit->setFocus();
    edit->selectAll();
}

QGroupBox* PointBox(const QString& title, QLineEdit* lat, QLineEdit* lon, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(qtTrId("Широта"), box), 0, 0);
    grid->addWidget(lat, 0, 1);
    grid->addWidget(new QLabel(qtTrId("Долгота"), box), 1, 0);
    grid->addWidget(lon, 1, 1);
    return box;
}

}  // namespace

CDistAzDlg::CDistAzDlg(const CurrentEvent& event, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Дистанция и азимут"));
    for (QLineEdit*& f : fields_) f = new QLineEdit(this);
    fields_[0]->setText(event.hypocentreValid ? Fixed(event.lat, 2) : "0");
    fields_[1]->setText(event.hypocentreValid ? Fixed(event.lon, 2) : "0");
    fields_[2]->setText("0.");
    fields_[3]->setText("0.");
    distance_ = new QLabel(this);
    azimuth_ = new QLabel(this);
    backAzimuth_ = new QLabel(this);
    auto* results = new QGridLayout;
    results->addWidget(new QLabel(qtTrId("Дистанция"), this), 0, 0);
    results->addWidget(distance_, 0, 1);
    results->addWidget(new QLabel(qtTrId("Азимут"), this), 1, 0);
    results->addWidget(azimuth_, 1, 1);
    results->addWidget(new QLabel(qtTrId("Обратный азимут"), this), 2, 0);
    results->addWidget(backAzimuth_, 2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { calculate(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PointBox(qtTrId("Исходная точка"), fields_[0], fields_[1], this));
    layout->addWidget(PointBox(qtTrId("Конечная точка"), fields_[2], fields_[3], this));
    layout->addLayout(results);
    layout->addWidget(buttons);
}

bool CDistAzDlg::calculate() {
    double v[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> n = NumberIn(fields_[i]);
        const double limit = i % 2 ? 180.0 : 90.0;
        if (!n || !(*n >= -limit && *n <= limit)) {
            Refuse(fields_[i]);
            return false;
        }
        v[i] = *n;
    }
    const DistAzResult r = DistAz(v[0], v[1], v[2], v[3]).value_or(DistAzResult{});
    distance_->setText(Fixed(r.distance, 2));
    azimuth_->setText(QString::fromStdString(FormatAzimuth(r.azimuth, 2)));
    backAzimuth_->setText(QString::fromStdString(FormatAzimuth(r.backAzimuth, 2)));
    QApplication::beep();
    return true;
}

QString CDistAzDlg::resultText() const {
    return distance_->text() + " " + azimuth_->text() + " " + backAzimuth_->text();
}

CRegionDlg::CRegionDlg(const MonitoredRegions& regions, const CContReg& region, int except,
                       MessageSink& messages, QWidget* parent)
    : QDialog(parent), regions_(regions), except_(except), messages_(messages), region_(region) {
    setWindowTitle(qtTrId("Редактировать параметры региона"));
    name_ = new QLineEdit(QString::fromStdString(region.name), this);
    name_->setMaxLength(100);
    const float values[4] = {region.lat1, region.lon1, region.lat2, region.lon2};
    static const char* const labels[4] = {QT_TRID_NOOP("Широта 1"), QT_TRID_NOOP("Долгота 1"),
                                          QT_TRID_NOOP("Широта 2"), QT_TRID_NOOP("Долгота 2")};
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(qtTrId("Название региона"), this), 0, 0);
    grid->addWidget(name_, 0, 1);
    for (int i = 0; i < 4; ++i) {
        corners_[i] = new QLineEdit(Fixed(values[i], 3), this);
        grid->addWidget(new QLabel(qtTrId(labels[i]), this), i + 1, 0);
        grid->addWidget(corners_[i], i + 1, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRegionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void CRegionDlg::accept() {
    const std::string name = name_->text().trimmed().toStdString();
    if (name.empty()) {
        Refuse(name_);
        return;
    }
    if (regions_.nameTaken(name, except_)) {
        messages_.show({qtTrId("Регион уже существует! Выберите другое имя.").toStdString(), "ZEL",
                        MessageIcon::Warning, MessageButtons::Ok});
        name_->setFocus();
        name_->selectAll();
        return;
    }
    float values[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> n = NumberIn(corners_[i]);
        const double limit = i % 2 ? 180.0 : 90.0;
        if (!n || !(*n >= -limit && *n <= limit)) {
            Refuse(corners_[i]);
            return;
        }
        values[i] = static_cast<float>(*n);
    }
    region_.name = name;
    region_.lat1 = values[0];
    region_.lon1 = values[1];
    region_.lat2 = values[2];
    region_.lon2 = values[3];
    QDialog::accept();
}

CContRegDlg::CContRegDlg(MonitoredRegions& regions, Db::Connection& work, MessageSink& messages,
                         QWidget* parent)
    : QDialog(parent), regions_(regions), work_(work), messages_(messages) {
    setWindowTitle(qtTrId("Редактирование списка контролируемых регионов"));
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {qtTrId("Регион"), qtTrId("Широта 1"), qtTrId("Долгота 1"), qtTrId("Широта 2"), qtTrId("Долгота 2")});
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CContRegDlg::edit);
    auto* editButton = new QPushButton(qtTrId("Редактировать"), this);
    auto* addButton = new QPushButton(qtTrId("Добавить"), this);
    auto* removeButton = new QPushButton(qtTrId("Удалить"), this);
    auto* exitButton = new QPushButton(qtTrId("Выйти"), this);
    connect(editButton, &QPushButton::clicked, this, &CContRegDlg::edit);
    connect(addButton, &QPushButton::clicked, this, &CContRegDlg::add);
    connect(removeButton, &QPushButton::clicked, this, &CContRegDlg::remove);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {editButton, addButton, removeButton}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(exitButton);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(560, 300);
    fill(0);
}

void CContRegDlg::fill(int select) {
    list_->clear();
    for (const CContReg& r : regions_.regions())
        new QTreeWidgetItem(list_, {QString::fromStdString(r.name), Fixed(r.lat1, 3), Fixed(r.lon1, 3),
                                    Fixed(r.lat2, 3), Fixed(r.lon2, 3)});
    if (select >= 0 && select < list_->topLevelItemCount())
        list_->setCurrentItem(list_->topLevelItem(select));
}

bool CContRegDlg::write(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const ZelError&) {
        messages_.show({qtTrId(kMonitoredRegionWriteError).toStdString(), "ZEL", MessageIcon::Error,
                        MessageButtons::Ok});
        return false;
    }
    if (onChanged) onChanged();
    return true;
}

void CContRegDlg::edit() {
    const int index = list_->indexOfTopLevelItem(list_->currentItem());
    if (index < 0) return;
    CRegionDlg dialog(regions_, regions_.regions()[index], index, messages_, this);
    if (!runRegionDialog(dialog)) return;
    if (write([&] { regions_.update(work_, index, dialog.region()); })) fill(index);
}

void CContRegDlg::add() {
    CRegionDlg dialog(regions_, CContReg{}, -1, messages_, this);
    if (!runRegionDialog(dialog)) return;
    if (write([&] { regions_.insert(work_, dialog.region()); }))
        fill(static_cast<int>(regions_.regions().size()) - 1);
}

void CContRegDlg::remove() {
    const int index = list_->indexOfTopLevelItem(list_->currentItem());
    if (index < 0) return;
    if (write([&] { regions_.remove(work_, index); })) fill(index > 0 ? index - 1 : 0);
}

CSelectStationDlg::CSelectStationDlg(const std::vector<Station>& stations, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qtTrId("Выберите станцию"));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderLabel(qtTrId("Станции"));
    tree_->setRootIsDecorated(false);
    for (std::size_t i = 0; i < stations.size(); ++i) {
        auto* item = new QTreeWidgetItem(tree_, {QString::fromStdString(stations[i].code)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
}

int CSelectStationDlg::station() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

QString CPlaneWaveResultDlg::Number(double value) { return Fixed(value, value > 1 ? 1 : 4); }

CPlaneWaveResultDlg::CPlaneWaveResultDlg(const PlaneWaveFit& fit, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Результат расчета"));
    auto* grid = new QGridLayout;
    const std::pair<const char*, QString> rows[] = {
        {QT_TRID_NOOP("Азимут"), QString::fromStdString(FormatAzimuth(fit.azimuth, 1))},
        {QT_TRID_NOOP("Медленность (с/град)"), Number(fit.slowness)},
        {QT_TRID_NOOP("Скорость распространения волны (км/с)"), Number(fit.velocity)},
        {QT_TRID_NOOP("RMS (с)"), Number(fit.rms)},
    };
    int row = 0;
    for (const auto& [label, value] : rows) {
        grid->addWidget(new QLabel(qtTrId(label), this), row, 0);
        auto* shown = new QLabel(value, this);
        shown->setObjectName(label);
        grid->addWidget(shown, row++, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

}  // namespace zel
