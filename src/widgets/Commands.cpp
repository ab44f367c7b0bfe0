#include "widgets/Commands.h"

#include <cctype>
#include <unordered_map>

namespace zel::cmd {
namespace {

// The menu texts are the string table of the program, Russian as the analysts read them.
constexpr Command kCommands[] = {
    {kFont, "Шрифт", "", ""},
    {kAddChannels, "Добавить каналы для визуализации и обработки", "add-channels", "Ctrl+O"},
    {kShowWaveforms, "Волновые формы", "waveforms", "F5"},
    {kShowPhaseList, "Список всех фаз", "phase-list", "F6"},
    {kShowDsp, "ПОС", "dsp", "F8"},
    {kShowMap, "Карта", "map", "F7"},
    {kCascade, "Каскад", "cascade", ""},
    {kTileHorizontally, "Горизонтальная мозаика", "tile-horizontally", ""},
    {kTileVertically, "Вертикальная мозаика", "tile-vertically", ""},
    {kShowParticleMotion, "Показать движ. частиц", "", ""},
    {kSettings, "Рабочие параметры...", "", ""},
    {kEditNetworks, "Редактировать список сетей", "", ""},
    {kReconnect, "Переподключиться к БД", "", ""},
    {kEditDirsMap, "Редактировать список отображений каталогов", "", ""},
    {kShowOrigins, "Показать окно списка обработанных событий", "", ""},
    {kEditControlledRegions, "Редактировать список контролируемых регионов", "", ""},
    {kClearPhaseList, "Очистить список фаз", "clear", ""},
    {kExit, "Выход", "", "Ctrl+Q"},
    {kAbout, "О программе", "", ""},
    {kZelVersion, "Версия ZEL", "about", ""},
    {kGroupCombo, "", "", ""},
    {kGroupSelected, "", "", ""},
    {kCustomizeToolbar, "Настроить панель инструментов", "", ""},
    {kMapZoomIn, "Увеличить", "zoom-in", ""},
    {kMapZoomOut, "Уменьшить", "zoom-out", ""},
    {kMapShiftEast, "вправо", "shift-later", ""},
    {kMapShiftWest, "влево", "shift-earlier", ""},
    {kMapShiftNorth, "вверх", "shift-up", ""},
    {kMapShiftSouth, "вниз", "shift-down", ""},
    {kMapReset, "Восстановить исходное значение масштаба", "zoom-reset", ""},
    {kMapFitNetwork, "Показать сеть станций", "fit-network", ""},
    {kMapFitEvent, "Показать событие и его станции", "fit-event", ""},
    {kMapRelief, "Рисовать уровни высот и глубин", "relief", ""},
    {kMapCoastlines, "Рисовать береговую линию", "coastlines", ""},
    {kMapSimple, "Рисовать простую карту", "simple-map", ""},
    {kMapAzimuths, "Рисовать азимут", "azimuths", ""},
    {kMapMarkEpicentre, "Отметить стартовую для расчета эпицентра", "", ""},
    {kMapHypocentreParameters, "Параметры гипоцентра", "", ""},
    {kRebuildPanes, "(*)Перерисовать", "", ""},
    {kRedrawPanes, "Перерисовать", "", ""},
    {kDrawWaveforms, "Рисовать волновые формы", "", ""},
    {kFitAllPanes, "Во все окно", "", "F"},
    {kAcquisitionMarks, "Выводить отметки системы сбора данных", "", ""},
    {kDatabasePhases, "Отображать отметки фаз из БД", "", ""},
    {kCommonCursor, "Рисовать общий вертикальный курсор", "", ""},
    {kCentrePanes, "Отцентрировать график волновых форм", "", ""},
    {kAlignTime, "Выровнять масштаб по времени", "", ""},
    {kShiftEarlier, "Сдвинуть график влево...", "shift-earlier", "Left"},
    {kShiftLater, "Сдвинуть график вправо", "shift-later", "Right"},
    {kShiftUp, "Сдвинуть график вверх...", "shift-up", "Up"},
    {kShiftDown, "Сдвинуть график вниз...", "shift-down", "Down"},
    {kReturn, "Вернуться", "return", "Backspace"},
    {kCompressTime, "Сжать по горизонтали", "compress-time", ""},
    {kCompressAmplitude, "Сжать по вертикали", "compress-amplitude", ""},
    {kStretchTime, "Растянуть по горизонтали", "stretch-time", ""},
    {kStretchAmplitude, "Растянуть по вертикали", "stretch-amplitude", ""},
    {kStretchTimePane, "Горизонтали", "", "+"},
    {kStretchAmplitudePane, "Вертикали", "", "*"},
    {kCompressTimePane, "Горизонтали", "", "-"},
    {kCompressAmplitudePane, "Вертикали", "", "/"},
    {kCentre, "Отцентрировать", "centre", "Home"},
    {kAlignAmplitude, "Выровнять масштаб по амплитуде", "", ""},
    {kOneScale, "Привести исходный и преобразованный сигнал к одному масштабу", "", ""},
    {kNewPane, "Создать новое окно", "", ""},
    {kChooseStationChannel, "Выбрать станцию и канал...", "", ""},
    {kChooseStationChannelPane, "(*)Выбрать станцию и канал...", "", ""},
    {kDeleteActivePanes, "Удалить активные окна", "", ""},
    {kSaveChannelList, "Сохранить список каналов", "", ""},
    {kLoadChannelList, "Загрузить список каналов", "", ""},
    {kSortPanes, "Сортировать...", "sort", ""},
    {kSortByStationIndex, "по номеру в БД", "", ""},
    {kSortByPickTime, "по времени прихода фаз", "", ""},
    {kSortByName, "по алфавиту", "", ""},
    {kSortByActivation, "по номеру на экране", "", ""},
    {kSortByDistance, "по расстоянию от эпицентра", "", ""},
    {kSortByAmplitude, "по амплитуде ", "", ""},
    {kSortByMb, "по магнитуде Mb", "", ""},
    {kCleanDiskLoop, "Удаление файлов из дисковой петли...", "", ""},
    {kExportCss, "Сохранить данные в формате CSS 3.0 ...", "", ""},
    {kImportCss, "Загрузить данные в формате CSS 3.0...", "", ""},
    {kPickMode, "Отметить фазу", "pick", "Space"},
    {kDeleteMarks, "Удалить интервальные отметки", "", ""},
    {kAlignMarks, "Выровнять отметки", "", ""},
    {kExcludePhasesInMark, "(*)Исключить фазы из расчета", "", ""},
    {kIncludePhasesInMark, "(*)Включить фазы в расчет в интервале", "", ""},
    {kFilter, "Фильтр", "filter", "Ctrl+F"},
    {kFilterDesigner, "Конструктор фильтра", "", ""},
    {kRemoveFilter, "Убрать фильтр", "", "Ctrl+Shift+F"},
    {kFormula, "Формула", "formula", "Ctrl+E"},
    {kSimulateDisplacement, "Симуляция смещения", "", ""},
    {kSimulateWwssp, "Симуляция WWSSSP", "", ""},
    {kSimulateKirnos, "Симуляция KIRNOS", "", ""},
    {kSimulateWoodAnderson, "Симуляция Wood-Anderson", "", "Ctrl+Shift+W"},
    {kSimulateLpsro, "Симуляция LPSRO", "", ""},
    {kSimulateWwsslp, "Симуляция WWSSLP", "", ""},
    {kSimulateSkm, "Симуляция СКМ", "", ""},
    {kDisplacementByResponse, "К смещению по АЧХ", "", ""},
    {kSimulateWwsspByResponse, "Симуляция WWSSSP с использованием АЧХ", "", ""},
    {kSimulateWwsslpByResponse, "Симуляция WWSSLP с использованием АЧХ", "", ""},
    {kSimulateLpsroByResponse, "Симуляция LPSRO с использованием АЧХ", "", ""},
    {kSimulateKirnosByResponse, "Симуляция KIRNOS с использованием АЧХ", "", ""},
    {kSimulateWoodAndersonByResponse, "Симуляция Wood-Anderson с использованием АЧХ", "", ""},
    {kSimulateVegikByResponse, "Симуляция ВЭГИК с использованием АЧХ", "", ""},
    {kRunDetector, "Запустить детектор STA\\LTA", "detector", "Ctrl+T"},
    {kClearDetections, "Очистить список срабатываний", "", ""},
    {kDetectorSettings, "Установки...", "", ""},
    {kThreeComponentAzimuth, "Азимут по 3-м компонентам", "", ""},
    {kPolarizationAzimuth, "Азимут колебаний...", "", ""},
    {kRectilinearity, "Прямолинейность колебаний...", "", ""},
    {kPlanarity, "Планарность колебаний...", "", ""},
    {kFkAnalysis, "F-K анализ", "", ""},
    {kAmplitudePeriod, "Расчет периода(с) и амплитуды(мкм.)", "amplitude", "Ctrl+M"},
    {kMeasureByCalib, "по Calib и Calper", "", ""},
    {kMeasureByFile, "по АЧХ (FAP-файлы в каталоге Response)", "", ""},
    {kMeasureByDatabase, "По АЧХ из БД (нули/полюса или FAP)", "", ""},
    {kNormaliseAmplitude, "Нормализовать амплитуду", "", ""},
    {kCoda, "Кода", "", ""},
    {kNomogramClass, "Рассчитать класс по номограмме Раутиан", "", ""},
    {kVegikClass, "Рассчитать энергетический класс \"Раутиан по ВЭГИК\"", "", ""},
    {kSkmClass, "Рассчитать энергетический класс \"Раутиан по CKM\"", "", ""},
    {kAzimuthFromPOnsets, "Азимут по временам P-вступлений", "", ""},
    {kPhasePlacement, "Автоматическая расстановка фаз...", "", ""},
    {kDistanceEstimate, "Оценка расстояния до эпицентра...", "distance", "Ctrl+D"},
    {kTravelTimeCalculator, "Годограф ...", "", ""},
    {kDistanceAzimuth, "Азимут и дистанция по заданным координатам...", "", ""},
    {kLocateHypocentre, "Оценка положения гипоцентра", "hypocentre", "Ctrl+L"},
    {kLocateSvd, "*Новая эпицентрия", "", ""},
    {kRunLoq, "Запустить внешнюю программу эпицентрии (LOQ)", "", ""},
    {kDeletePhase, "Удалить выделенную фазу из списка", "", ""},
    {kInsertPhase, "Вставить  фазу", "", ""},
    {kRecomputeResiduals, "Перерассчитать невязки и расстояние для текущего эпицентра", "", ""},
    {kSavePhaseListDb, "Сохранить список фаз в БД", "save-db", "Ctrl+S"},
    {kLoadPhaseListDb, "Загрузить список фаз из БД", "load-db", "Ctrl+Shift+O"},
    {kNewEvent, "Начать обработку нового землетрясения", "new-event", "Ctrl+N"},
    {kLoadAutomatic, "Загрузить данные автоматической локации", "", ""},
    {kEventReport, "Генерация отчета о землетрясениях", "", "Ctrl+R"},
    {kWriteCssTables, "Сохранить результаты обработки в файлы в формате CSS( .origin, .arrival, .assoc )", "", ""},
    {kWriteStoredCssTables, "Сохранить результаты обработки из БД в файлы в формате CSS( .origin, .arrival, .assoc )", "", ""},
    {kLoadImsBulletin, "Загрузить список фаз в формате IMS", "", ""},
    {kConnectArchive, "Подключить архив MiniSEED...", "", ""},
    {kImportStationXml, "Загрузить станции из StationXML...", "", ""},
    {kWriteQuakeMl, "Сохранить событие в формате QuakeML...", "", ""},
    {kLoadQuakeMl, "Загрузить событие в формате QuakeML...", "", ""},
    {kUndoPicks, "Отменить изменение списка фаз", "undo", "Ctrl+Z"},
    {kRedoPicks, "Вернуть изменение списка фаз", "redo", "Ctrl+Shift+Z"},
    {kPageEarlier, "Предыдущая страница", "page-earlier", "PgUp"},
    {kPageLater, "Следующая страница", "page-later", "PgDown"},
    {kKeyPickP, "Фаза P под указателем", "", "P"},
    {kKeyPickS, "Фаза S под указателем", "", "S"},
    {static_cast<Id>(kKeyPickSet1 + 0), "1-я фаза набора под указателем", "", "1"},
    {static_cast<Id>(kKeyPickSet1 + 1), "2-я фаза набора под указателем", "", "2"},
    {static_cast<Id>(kKeyPickSet1 + 2), "3-я фаза набора под указателем", "", "3"},
    {static_cast<Id>(kKeyPickSet1 + 3), "4-я фаза набора под указателем", "", "4"},
    {static_cast<Id>(kKeyPickSet1 + 4), "5-я фаза набора под указателем", "", "5"},
    {static_cast<Id>(kKeyPickSet1 + 5), "6-я фаза набора под указателем", "", "6"},
    {static_cast<Id>(kKeyPickSet1 + 6), "7-я фаза набора под указателем", "", "7"},
    {static_cast<Id>(kKeyPickSet1 + 7), "8-я фаза набора под указателем", "", "8"},
    {kKeyPickSet9, "9-я фаза набора под указателем", "", "9"},
    {kDeleteNearestPick, "Удалить ближайшую фазу под указателем", "", "Del"},
    {kShortcutsHelp, "Клавиши и команды", "", ""},
    {kHelpContents, "Справка ZEL", "", "F1"},
    {kKeyAmplitude, "Период и амплитуда после фазы под указателем", "", "A"},
    {kRecordSection, "Сейсмограммы по расстоянию", "", "Ctrl+G"},
    {kResidualPlots, "Невязки", "", "Ctrl+Shift+L"},
    {kDspSaveWorksheet, "Сохранить рабочую область...", "", ""},
    {kDspLoadWorksheet, "Загрузить рабочую область...", "", ""},
    {kDspSaveData, "Сохранить данные в файл", "", ""},
    {kDspLoadData, "Загрузить данные из файла", "", ""},
    {kDspCopyData, "Копировать данные в буфер обмена", "copy", ""},
    {kDspPasteData, "Вставить данные из буфера обмена", "paste", ""},
    {kDspOverplot, "Наложить графики...", "overplot", ""},
    {kDspFixWindow, "Зафиксировать окно", "fix-window", ""},
    {kDspProperties, "Свойства набора данных в активном окне", "", ""},
    {kDspFormula, "Формула окна...", "window-formula", ""},
    {kDspAddWindow, "Добавить окно", "", ""},
    {kDspRemoveWindow, "Удалить последнее окно", "", ""},
    {kDspRecompute, "Пересчитать все окна", "recompute", ""},
    {kDspSpectrogram, "Спектрограмма...", "spectrogram", ""},
    {kPrint, "Печать...", "print", "Ctrl+P"},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

const Command* Find(int id) {
    static const std::unordered_map<int, const Command*> byId = [] {
        std::unordered_map<int, const Command*> map;
        for (const Command& c : kCommands) map.emplace(c.id, &c);
        return map;
    }();
    const auto it = byId.find(id);
    return it == byId.end() ? nullptr : it->second;
}

std::string CommandText(int id) {
    const Command* c = Find(id);
    return c ? c->text : std::string();
}

const char* MenuTitle(Menu menu) {
    switch (menu) {
        case Menu::Functions: return "&Функции";
        case Menu::Waveforms: return "&Волновые формы";
        case Menu::PhaseList: return "&Список фаз";
        case Menu::Dsp: return "&ПОС";
        case Menu::Map: return "&Карта";
        case Menu::Window: return "&Окно";
        case Menu::Help: return "Спр&авка";
    }
    return "";
}

bool IsPaneKey(const Command& command) {
    const std::string keys = command.shortcut;
    const bool functionKey = keys.size() > 1 && keys[0] == 'F' && std::isdigit(static_cast<unsigned char>(keys[1]));
    return !keys.empty() && !functionKey && keys.find("Ctrl+") == std::string::npos &&
           keys.find("Alt+") == std::string::npos;
}

const std::vector<MenuItem>& WaveformMenu() {
    auto sub = [](const char* title, std::vector<int> ids) {
        MenuItem m{0, title, {}};
        for (int id : ids) m.items.push_back({id, nullptr, {}});
        return m;
    };
    auto item = [](int id) { return MenuItem{id, nullptr, {}}; };
    const MenuItem separator{};
    static const std::vector<MenuItem> menu = {
        sub("&Каналы", {kAddChannels, kNewPane, kChooseStationChannel, kDeleteActivePanes, 0, kSaveChannelList,
                        kLoadChannelList, 0, kImportCss, kExportCss, kCleanDiskLoop}),
        sub("&Вид", {kRedrawPanes, kDrawWaveforms, kFitAllPanes, 0, kAcquisitionMarks, kDatabasePhases,
                     kCommonCursor}),
        separator,
        item(kShiftEarlier),
        item(kShiftLater),
        item(kPageEarlier),
        item(kPageLater),
        item(kShiftUp),
        item(kShiftDown),
        item(kReturn),
        sub("&Растянуть по", {kStretchTimePane, kStretchAmplitudePane}),
        sub("&Сжать по", {kCompressTimePane, kCompressAmplitudePane}),
        sub("&Масштаб", {kCentre, kCentrePanes, kAlignTime, kAlignAmplitude, kOneScale}),
        sub("С&ортировать",
            {kSortByStationIndex, kSortByPickTime, kSortByName, kSortByActivation, kSortByDistance, kSortByAmplitude,
             kSortByMb}),
        separator,
        sub("&Фазы", {kPickMode, kKeyPickP, kKeyPickS, kKeyPickSet1, kKeyPickSet1 + 1, kKeyPickSet1 + 2,
                      kKeyPickSet1 + 3, kKeyPickSet1 + 4, kKeyPickSet1 + 5, kKeyPickSet1 + 6, kKeyPickSet1 + 7,
                      kKeyPickSet9, kDeleteNearestPick, 0, kDeleteMarks, kAlignMarks, kPhasePlacement}),
        MenuItem{0, "&Преобразование",
                 {item(kFilter), item(kFilterDesigner), item(kRemoveFilter), item(kFormula), separator,
                  sub("Си&муляция", {kSimulateDisplacement, kSimulateWoodAnderson, kSimulateKirnos, kSimulateWwssp,
                                     kSimulateWwsslp, kSimulateLpsro, kSimulateSkm}),
                  sub("Симуляция по &АЧХ",
                      {kDisplacementByResponse, kSimulateWoodAndersonByResponse, kSimulateKirnosByResponse,
                       kSimulateWwsspByResponse, kSimulateWwsslpByResponse, kSimulateLpsroByResponse,
                       kSimulateVegikByResponse})}},
        sub("&Анализ", {kRunDetector, kClearDetections, kDetectorSettings, 0, kThreeComponentAzimuth,
                        kPolarizationAzimuth, kRectilinearity, kPlanarity, kFkAnalysis, kAzimuthFromPOnsets}),
        sub("Амп&литуды и магнитуды", {kAmplitudePeriod, kKeyAmplitude, kMeasureByCalib, kMeasureByFile, kMeasureByDatabase,
                                       kNormaliseAmplitude, 0, kCoda, kNomogramClass, kVegikClass, kSkmClass}),
        sub("&Эпицентр", {kDistanceEstimate, kTravelTimeCalculator, kDistanceAzimuth, 0, kLocateHypocentre,
                          kLocateSvd, kRunLoq, kResidualPlots, 0, kRecordSection}),
        sub("Со&бытие", {kNewEvent, kSavePhaseListDb, kLoadPhaseListDb, kLoadAutomatic, kLoadImsBulletin, 0,
                         kEventReport}),
        separator,
        item(kCustomizeToolbar),
        item(kZelVersion),
    };
    return menu;
}

const std::vector<int>& DspWorkspaceCommands() {
    static const std::vector<int> ids = {
        kDspFormula, kDspRecompute, 0, kDspAddWindow, kDspRemoveWindow, 0, kDspSaveWorksheet, kDspLoadWorksheet, 0,
        kDspSaveData, kDspLoadData, kDspCopyData, kDspPasteData, 0, kDspOverplot, kDspFixWindow, kDspProperties, 0,
        kDspSpectrogram, 0, kPrint, 0};
    return ids;
}

const std::vector<int>& DropDownCommands(int id) {
    static const std::unordered_map<int, std::vector<int>> menus = {
        {kSortPanes,
         {kSortByStationIndex, kSortByPickTime, kSortByName, kSortByActivation, kSortByDistance, kSortByAmplitude,
          kSortByMb}},
        {kFilter, {kFilter, kFilterDesigner, kRemoveFilter}},
        {kFormula, {kFormula}},
        {kAmplitudePeriod, {kAmplitudePeriod, kMeasureByCalib, kMeasureByFile, kMeasureByDatabase}},
    };
    static const std::vector<int> none;
    const auto it = menus.find(id);
    return it == menus.end() ? none : it->second;
}

std::vector<int> DefaultToolbarLayout(const std::string& toolbarName) {
    if (toolbarName == "WAVEFORMS")
        return {kAddChannels, 0,         kShiftEarlier,   kShiftLater, kShiftUp,         kShiftDown,
                kReturn,      0,         kCompressTime,   kStretchTime, kCompressAmplitude, kStretchAmplitude,
                kCentre,      0,         kPickMode,       kSortPanes,  kFilter,          kFormula,
                kAmplitudePeriod, 0,     kSavePhaseListDb, kLoadPhaseListDb, 0,           kZelVersion};
    if (toolbarName == "MAP")
        return {kShowWaveforms, kShowPhaseList, kShowDsp,       kShowMap,      0,         kCascade,
                kTileHorizontally, kTileVertically, 0,          kMapZoomIn,    kMapZoomOut, 0,
                kMapShiftWest,  kMapShiftEast,  kMapShiftNorth, kMapShiftSouth, kMapReset, kMapFitNetwork, kMapFitEvent, 0,
                kMapRelief,     kMapCoastlines, kMapSimple,     kMapAzimuths};
    if (toolbarName == "PHASELIST")
        return {kNewEvent, kClearPhaseList, 0, kSavePhaseListDb, kLoadPhaseListDb, 0, kDistanceEstimate,
                kLocateHypocentre};
    if (toolbarName == "DSP")
        return {kFormula, kFilter, 0, kRunDetector, 0, kDspFormula, kDspRecompute, kDspOverplot, kDspFixWindow, 0,
                kDspSpectrogram, 0, kDspCopyData, kDspPasteData, 0, kPrint};
    return {};
}

}  // namespace zel::cmd
