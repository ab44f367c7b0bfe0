#include "dsp/ui/DspWorkspaceWidget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "base/ZelError.h"
#include "dsp/DspClipboardText.h"
#include "dsp/DspDataFile.h"
#include "dsp/DspWorksheet.h"
#include "dsp/SavedFormulas.h"
#include "dsp/ui/DspDialogs.h"
#include "dsp/ui/DspPlotPainter.h"
#include "dsp/ui/FormulaDialog.h"
#include "dsp/ui/SpectrogramWindow.h"
#include "session/AppContext.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"
#include "widgets/PlotWindow.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {

constexpr const char* kCaption = QT_TRID_NOOP("ПОС");
constexpr int kMinimumPlotHeight = 140;

std::string Local(const QString& path) { return path.toLocal8Bit().toStdString(); }

}  // namespace

// --- one plot window ---

CDSPWindow::CDSPWindow(const DspWorkspace& model, int index, QWidget* parent)
    : QWidget(parent), model_(model), index_(index) {
    setMinimumHeight(kMinimumPlotHeight);
    setObjectName(QString("W%1").arg(index));
}

void CDSPWindow::paintEvent(QPaintEvent*) {
    if (index_ >= model_.size()) return;
    QPainter painter(this);
    PaintDspWindow(painter, rect().adjusted(0, 0, -1, -1), model_.window(index_), index_,
                   index_ == model_.current());
}

void CDSPWindow::mousePressEvent(QMouseEvent* event) {
    // The right button too: the context menu then acts on the window under the pointer.
    Q_EMIT clicked(index_);
    QWidget::mousePressEvent(event);
}

void CDSPWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT doubleClicked(index_);
}

// --- the workspace ---

CDSP::CDSP(AppContext& context, waveform* waveforms, QWidget* parent)
    : QWidget(parent),
      context_(context),
      model_(4),
      channels_(waveforms ? &waveforms->panes() : nullptr),
      saved_(std::make_unique<CSavedFormulas>(context.ini())) {
    model_.setChannelSource(&channels_);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));

    auto* top = new QHBoxLayout;
    name_ = new QLabel(this);
    formula_ = new QLineEdit(this);
    formula_->setObjectName("DspFormula");
    formula_->setMaxLength(static_cast<int>(kDspMaxFormulaLength));
    auto* run = new QPushButton(qtTrId("Рассчитать"), this);
    auto* dialog = new QPushButton("f(x)...", this);
    top->addWidget(name_);
    top->addWidget(formula_, 1);
    top->addWidget(run);
    top->addWidget(dialog);
    error_ = new QLabel(this);
    error_->setObjectName("DspError");
    error_->setStyleSheet("color: rgb(200,0,0)");
    error_->setWordWrap(true);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* inner = new QWidget;
    stack_ = new QVBoxLayout(inner);
    stack_->setContentsMargins(2, 2, 2, 2);
    stack_->setSpacing(3);
    scroll->setWidget(inner);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(error_);
    layout->addWidget(scroll, 1);

    connect(formula_, &QLineEdit::returnPressed, this, [this] { applyFormula(formula_->text()); });
    connect(run, &QPushButton::clicked, this, [this] { applyFormula(formula_->text()); });
    connect(dialog, &QPushButton::clicked, this, &CDSP::formulaDialog);
    rebuildWindows();
}

CDSP::~CDSP() = default;

void CDSP::rebuildWindows() {
    for (CDSPWindow* w : windows_) delete w;
    windows_.clear();
    for (int i = 0; i < model_.size(); ++i) {
        auto* w = new CDSPWindow(model_, i);
        connect(w, &CDSPWindow::clicked, this, &CDSP::setCurrent);
        connect(w, &CDSPWindow::doubleClicked, this, &CDSP::formulaDialog);
        stack_->addWidget(w);
        windows_.push_back(w);
    }
    showCurrent();
}

void CDSP::redrawAll() {
    for (CDSPWindow* w : windows_) w->update();
}

void CDSP::redraw(const std::vector<int>& indexes) {
    for (int i : indexes)
        if (i >= 0 && i < static_cast<int>(windows_.size())) windows_[static_cast<std::size_t>(i)]->update();
}

void CDSP::showCurrent() {
    const int i = model_.current();
    const DspWindow& w = model_.window(i);
    name_->setText(QString("W%1 =").arg(i));
    formula_->setText(QString::fromStdString(w.formula));
    formula_->setReadOnly(w.fixed);
    error_->setText(QString::fromStdString(w.error));
    error_->setVisible(!w.error.empty());
    if (fixAction_) fixAction_->setChecked(w.fixed);
    redrawAll();
    Q_EMIT currentChanged(i);
}

void CDSP::setCurrent(int index) {
    model_.setCurrent(index);
    showCurrent();
}

void CDSP::applyFormula(const QString& text) {
    const int i = model_.current();
    if (model_.window(i).fixed) return;
    model_.setFormula(i, text.toStdString());
    redraw(model_.cascade(i));
    showCurrent();
}

void CDSP::report(const std::string& text) {
    context_.messages().show({text, qtTrId(kCaption).toStdString(), MessageIcon::Error, MessageButtons::Ok});
}

bool CDSP::mayWrite(const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    const std::string text = qtTrId("Файл %1 уже существует.\nЗаменить его?").arg(path).toStdString();
    return context_.messages().show({text, qtTrId(kCaption).toStdString(), MessageIcon::Question,
                                     MessageButtons::YesNo}) == MessageAnswer::Yes;
}

QString CDSP::startDirectory(const char* sub) const {
    return QString::fromStdString(context_.settings().workingDir) + sub;
}

// --- worksheets ---

bool CDSP::saveWorksheet(const QString& path) {
    if (!mayWrite(path)) return false;
    try {
        SaveWorksheet(Local(path), model_.formulas());
    } catch (const ZelError& e) {
        report(e.what());
        return false;
    }
    return true;
}

bool CDSP::loadWorksheet(const QString& path) {
    std::optional<std::vector<std::string>> formulas;
    try {
        formulas = LoadWorksheet(Local(path));
    } catch (const ZelError& e) {
        report(e.what());
        return false;
    }
    if (!formulas) return false;
    model_.reset(static_cast<int>(formulas->size()));
    for (int i = 0; i < model_.size(); ++i) model_.setFormula(i, (*formulas)[static_cast<std::size_t>(i)]);
    model_.recomputeAll();
    rebuildWindows();
    return true;
}

void CDSP::saveWorksheetDialog() {
    QDir().mkpath(startDirectory("WORKSHEET"));
    QFileDialog dialog(this, qtTrId("Сохранить рабочую область"), startDirectory("WORKSHEET"),
                       qtTrId("Рабочие листы (*.wks);;Все файлы (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("wks");
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked by saveWorksheet itself
    dialog.selectFile("worksheet");
    if (dialog.exec() == QDialog::Accepted) saveWorksheet(dialog.selectedFiles().value(0));
}

void CDSP::loadWorksheetDialog() {
    const QString path =
        QFileDialog::getOpenFileName(this, qtTrId("Загрузить рабочую область"), startDirectory("WORKSHEET"),
                                     qtTrId("Рабочие листы (*.wks);;Все файлы (*)"));
    if (!path.isEmpty()) loadWorksheet(path);
}

// --- data files ---

bool CDSP::saveData(const QString& path) {
    const DspWindow& w = model_.window(model_.current());
    if (!mayWrite(path)) return false;
    // An empty window is reported, and the (empty) file is still written as asked.
    if (!w.signal) report(qtTrId(kEmptyDataSet).toStdString());
    try {
        if (w.signal)
            WriteDataFile(Local(path), w.signal->Values());
        else
            WriteDataFile(Local(path), {});
    } catch (const ZelError& e) {
        report(e.what());
        return false;
    }
    return true;
}

bool CDSP::loadData(const QString& path) {
    std::vector<double> values;
    try {
        values = ReadDataFile(Local(path));
    } catch (const ZelError& e) {
        report(e.what());
        return false;
    }
    if (values.empty()) {
        report(DataFileEmpty(Local(path)));
        return false;
    }
    const int i = model_.current();
    model_.putData(i, std::move(values), 1.0);
    redraw(model_.cascade(i));
    showCurrent();
    return true;
}

void CDSP::saveDataDialog() {
    QFileDialog dialog(this, qtTrId("Сохранить данные в файл"), QString(),
                       qtTrId("Файлы с данными (*.dat);;Все файлы (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("dat");
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked by saveData itself
    dialog.selectFile("dspout");
    if (dialog.exec() == QDialog::Accepted) saveData(dialog.selectedFiles().value(0));
}

void CDSP::loadDataDialog() {
    const QString path = QFileDialog::getOpenFileName(this, qtTrId("Загрузить данные из файла"), QString(),
                                                      qtTrId("Файлы с данными (*.dat);;Все файлы (*)"));
    if (!path.isEmpty()) loadData(path);
}

// --- clipboard ---

void CDSP::copyToClipboard() {
    const DspWindow& w = model_.window(model_.current());
    if (!w.signal) {
        report(qtTrId(kEmptyDataSet).toStdString());
        return;
    }
    const QString text = QString::fromStdString(ClipboardText(w.signal->Values(), w.signal->dx));
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(text);
    if (clipboard->text() != text)
        context_.messages().show({qtTrId("Unable to set Clipboard data").toStdString(), "",
                                  MessageIcon::Information, MessageButtons::Ok});
}

void CDSP::pasteFromClipboard() {
    auto data = ParseClipboardText(QApplication::clipboard()->text().toStdString());
    if (!data) return;
    const int i = model_.current();
    model_.putData(i, std::move(data->samples), data->dx);
    redraw(model_.cascade(i));
    showCurrent();
}

// --- window commands ---

void CDSP::toggleFixed() {
    const int i = model_.current();
    model_.setFixed(i, !model_.window(i).fixed);
    showCurrent();
}

void CDSP::overlayDialog() {
    const int i = model_.current();
    CSelectOverplot dialog(model_.window(i), this);
    if (dialog.exec() != QDialog::Accepted) return;
    model_.setOverlays(i, dialog.formulas());
    redraw({i});
}

void CDSP::propertiesDialog() {
    const int i = model_.current();
    ShowDataSetProperties(model_.window(i), i, this);
}

void CDSP::formulaDialog() {
    const int i = model_.current();
    if (model_.window(i).fixed) return;
    CFormulaDlg dialog(formula_->text(), *saved_, model_.size(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    try {
        saved_->use(dialog.formula().toStdString());
    } catch (const ZelError& e) {
        report(e.what());
    }
    applyFormula(dialog.formula());
}

void CDSP::spectrogramDialog(Workbench& frame) {
    const DspWindow& w = model_.window(model_.current());
    if (w.count() < 2) {  // nothing to segment: said before any question is asked
        report(qtTrId(kEmptyDataSet).toStdString());
        return;
    }
    CSpectrogramDlg dialog(w.count(), w.signal->dx, this);
    if (dialog.exec() != QDialog::Accepted) return;
    showSpectrogram(frame, dialog.length(), dialog.overlap(), dialog.maxFrequency());
}

bool CDSP::showSpectrogram(Workbench& frame, std::int64_t n, std::int64_t overlap, double maxFrequency) {
    const int i = model_.current();
    const DspWindow& w = model_.window(i);
    if (!w.signal) {
        report(qtTrId(kEmptyDataSet).toStdString());
        return false;
    }
    Spectrogram s;
    try {
        s = ComputeSpectrogram(w.signal->Values(), w.signal->dx, n, overlap);
    } catch (const ZelError& e) {
        report(e.what());
        return false;
    }
    const QString source = QString("W%1: %2").arg(i).arg(QString::fromStdString(w.formula));
    auto* plot = new SpectrogramWindow(std::move(s), source, static_cast<int>(n), static_cast<int>(overlap),
                                       maxFrequency);
    ShowPlotWindow(frame, plot, qtTrId("Спектрограмма W%1").arg(i));
    return true;
}

void CDSP::addWindow() {
    if (!model_.addWindow()) return;
    rebuildWindows();
}

void CDSP::removeLastWindow() {
    if (!model_.removeLastWindow()) return;
    rebuildWindows();
}

void CDSP::recomputeAll() {
    model_.recomputeAll();
    showCurrent();
}

// --- printing ---

void CDSP::print(QPrinter& printer) {
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    const QRect page = painter.viewport();
    constexpr int kPerPage = 4;
    const int height = page.height() / kPerPage;
    for (int i = 0; i < model_.size(); ++i) {
        if (i > 0 && i % kPerPage == 0) printer.newPage();
        const QRect area(page.left(), page.top() + (i % kPerPage) * height, page.width(), height - 10);
        PaintDspWindow(painter, area, model_.window(i), i, false);
    }
}

bool CDSP::printToPdf(const QString& path) {
    if (!mayWrite(path)) return false;
    return PrintToPdf(path, [this](QPrinter& printer) { print(printer); });
}

void CDSP::printDialog() {
    PrintWithDialog(this, [this](QPrinter& printer) { print(printer); });
}

// --- installation ---

CDSP* InstallDspWorkspace(Workbench& frame, AppContext& context) {
    auto* dsp = new CDSP(context, frame.waveforms());
    frame.setChildWidget(Workbench::kDsp, dsp);
    frame.bind(cmd::kDspSaveWorksheet, dsp, [dsp] { dsp->saveWorksheetDialog(); });
    frame.bind(cmd::kDspLoadWorksheet, dsp, [dsp] { dsp->loadWorksheetDialog(); });
    frame.bind(cmd::kDspSaveData, dsp, [dsp] { dsp->saveDataDialog(); });
    frame.bind(cmd::kDspLoadData, dsp, [dsp] { dsp->loadDataDialog(); });
    frame.bind(cmd::kDspCopyData, dsp, [dsp] { dsp->copyToClipboard(); });
    frame.bind(cmd::kDspPasteData, dsp, [dsp] { dsp->pasteFromClipboard(); });
    frame.bind(cmd::kDspOverplot, dsp, [dsp] { dsp->overlayDialog(); });
    frame.bind(cmd::kDspProperties, dsp, [dsp] { dsp->propertiesDialog(); });
    frame.bind(cmd::kDspFormula, dsp, [dsp] { dsp->formulaDialog(); });
    frame.bind(cmd::kDspAddWindow, dsp, [dsp] { dsp->addWindow(); });
    frame.bind(cmd::kDspRemoveWindow, dsp, [dsp] { dsp->removeLastWindow(); });
    frame.bind(cmd::kDspRecompute, dsp, [dsp] { dsp->recomputeAll(); });
    frame.bind(cmd::kDspSpectrogram, dsp, [dsp, &frame] { dsp->spectrogramDialog(frame); });
    frame.bind(cmd::kPrint, dsp, [dsp] { dsp->printDialog(); });
    QAction* fix = frame.bind(cmd::kDspFixWindow, dsp, [dsp] { dsp->toggleFixed(); });
    fix->setCheckable(true);
    dsp->setFixAction(fix);
    // The same commands on the plot windows' context menu.
    for (int id : cmd::DspWorkspaceCommands()) {
        if (id == 0) {
            auto* separator = new QAction(dsp);
            separator->setSeparator(true);
            dsp->addAction(separator);
        } else if (id != cmd::kPrint) {
            dsp->addAction(frame.action(id));
        }
    }
    dsp->setContextMenuPolicy(Qt::ActionsContextMenu);
    return dsp;
}

}  // namespace zel
