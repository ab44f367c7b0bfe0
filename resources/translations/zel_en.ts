<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name></name>
    <message id="Windows Quakegrapher (ZEL) - Система обработки сейсмических данных">
        <source></source>
        <translation>Windows Quakegrapher (ZEL) - Seismic data processing system</translation>
    </message>
    <message id="Версия %1 (%2)">
        <source></source>
        <translation>Version %1 (%2)</translation>
    </message>
    <message id="Версия ZEL">
        <source></source>
        <translation>ZEL version</translation>
    </message>
    <message id="Дата последнего изменения %1 %2">
        <source></source>
        <translation>Last modified %1 %2</translation>
    </message>
    <message id="Версия %1">
        <source></source>
        <translation>Version %1</translation>
    </message>
    <message id="Система обработки сейсмических данных">
        <source></source>
        <translation>Seismic data processing system</translation>
    </message>
    <message id="Расчет периода(с) и амплитуды(мкм.) ">
        <source></source>
        <translation>Period (s) and amplitude (µm) </translation>
    </message>
    <message id="Волновые формы">
        <source></source>
        <translation>Waveforms</translation>
    </message>
    <message id="Карта">
        <source></source>
        <translation>Map</translation>
    </message>
    <message id="Список фаз">
        <source></source>
        <translation>Phase list</translation>
    </message>
    <message id="ПОС">
        <source></source>
        <translation>DSP</translation>
    </message>
    <message id="Процессор обработки сигналов">
        <source></source>
        <translation>Digital signal processor</translation>
    </message>
    <message id="Шрифт">
        <source></source>
        <translation>Font</translation>
    </message>
    <message id="Каталог данных (дисковая петля):">
        <source></source>
        <translation>Data directory (disk loop):</translation>
    </message>
    <message id="Каталог отчетов:">
        <source></source>
        <translation>Reports directory:</translation>
    </message>
    <message id="Каталог таблиц CSS 3.0:">
        <source></source>
        <translation>CSS 3.0 tables directory:</translation>
    </message>
    <message id="Каталог бюллетеней IMS/REB:">
        <source></source>
        <translation>IMS/REB bulletins directory:</translation>
    </message>
    <message id="Сохранять события в БД CSS">
        <source></source>
        <translation>Save events to the CSS database</translation>
    </message>
    <message id="Искать волновые формы в таблице wfdisc БД CSS">
        <source></source>
        <translation>Look for waveforms in the wfdisc table of the CSS database</translation>
    </message>
    <message id="Использовать поле TEND">
        <source></source>
        <translation>Use the TEND field</translation>
    </message>
    <message id="Каталог вывода CSS 3.0:">
        <source></source>
        <translation>CSS 3.0 output directory:</translation>
    </message>
    <message id="Формат отсчетов:">
        <source></source>
        <translation>Sample format:</translation>
    </message>
    <message id="Расчет амплитуды по умолчанию">
        <source></source>
        <translation>Default amplitude calculation</translation>
    </message>
    <message id="по АЧХ (FAP-файлы в каталоге Response)">
        <source></source>
        <translation>by amplitude response (FAP files in the Response directory)</translation>
    </message>
    <message id="по Calib и Calper">
        <source></source>
        <translation>by Calib and Calper</translation>
    </message>
    <message id="по АЧХ из БД (нули/полюса или FAP)">
        <source></source>
        <translation>by amplitude response from the database (poles/zeros or FAP)</translation>
    </message>
    <message id="Текущий набор:">
        <source></source>
        <translation>Current set:</translation>
    </message>
    <message id="Язык интерфейса:">
        <source></source>
        <translation>Interface language:</translation>
    </message>
    <message id="по языку системы (LANG)">
        <source></source>
        <translation>as the system&apos;s language (LANG)</translation>
    </message>
    <message id="Русский">
        <source></source>
        <translation>Russian</translation>
    </message>
    <message id="Новый язык интерфейса действует со следующего запуска ZEL.">
        <source></source>
        <translation>A new interface language takes effect the next time ZEL starts.</translation>
    </message>
    <message id="Установки">
        <source></source>
        <translation>Settings</translation>
    </message>
    <message id="Рабочие каталоги">
        <source></source>
        <translation>Working directories</translation>
    </message>
    <message id="Вывод CSS 3.0">
        <source></source>
        <translation>CSS 3.0 output</translation>
    </message>
    <message id="Амплитуда и период">
        <source></source>
        <translation>Amplitude and period</translation>
    </message>
    <message id="Наборы фаз">
        <source></source>
        <translation>Phase sets</translation>
    </message>
    <message id="Установки окна &quot;Волновые формы&quot;">
        <source></source>
        <translation>&quot;Waveforms&quot; window settings</translation>
    </message>
    <message id="Настройка параметров внешней программы F-K анализа">
        <source></source>
        <translation>External F-K analysis program settings</translation>
    </message>
    <message id="Язык">
        <source></source>
        <translation>Language</translation>
    </message>
    <message id="Не удалось прочитать файл настроек %1: %2">
        <source></source>
        <translation>Cannot read the settings file %1: %2</translation>
    </message>
    <message id="Не удалось записать файл настроек %1: %2">
        <source></source>
        <translation>Cannot write the settings file %1: %2</translation>
    </message>
    <message id="Не удалось создать каталог %1: %2">
        <source></source>
        <translation>Cannot create the directory %1: %2</translation>
    </message>
    <message id="Недопустимое имя раздела файла настроек: &quot;%1&quot;">
        <source></source>
        <translation>Invalid settings file section name: &quot;%1&quot;</translation>
    </message>
    <message id="Недопустимое имя ключа файла настроек: &quot;%1&quot;">
        <source></source>
        <translation>Invalid settings file key name: &quot;%1&quot;</translation>
    </message>
    <message id="Значение ключа %1 содержит перевод строки и не может быть записано в файл настроек">
        <source></source>
        <translation>The value of key %1 contains a line break and cannot be written to the settings file</translation>
    </message>
    <message id="Недопустимый номер месяца: %1">
        <source></source>
        <translation>Invalid month number: %1</translation>
    </message>
    <message id="Не удалось создать каталог данных ZEL: %1">
        <source></source>
        <translation>Cannot create the ZEL data directory: %1</translation>
    </message>
    <message id="Ошибка инициализации интерфейса к базе данных CSS">
        <source></source>
        <translation>Failed to initialise the CSS database interface</translation>
    </message>
    <message id="Не выбрано главное окно">
        <source></source>
        <translation>No main pane selected</translation>
    </message>
    <message id="Файл содержит только текстовые записи, отсчетов нет: %1">
        <source></source>
        <translation>The file holds only text records, no samples: %1</translation>
    </message>
    <message id="Файлов в архиве: %1, прочитано новых и измененных: %2, исчезло: %3; строк каталога добавлено: %4, удалено: %5">
        <source></source>
        <translation>Files in the archive: %1, new or changed files read: %2, vanished: %3; catalogue rows added: %4, removed: %5</translation>
    </message>
    <message id="Просмотр архива прерван">
        <source></source>
        <translation>Archive scan stopped</translation>
    </message>
    <message id="Каналы, которых нет в таблице станций (в каталоге, но не показываются):">
        <source></source>
        <translation>Channels not in the station table (catalogued, but not shown):</translation>
    </message>
    <message id="Нет каталога %1">
        <source></source>
        <translation>Directory not found: %1</translation>
    </message>
    <message id="Ошибка чтения каталога %1: %2">
        <source></source>
        <translation>Error reading directory %1: %2</translation>
    </message>
    <message id="Ошибка удаления файла %1">
        <source></source>
        <translation>Error deleting file %1</translation>
    </message>
    <message id="Нет файла данных: %1">
        <source></source>
        <translation>Data file not found: %1</translation>
    </message>
    <message id="Файл данных короче, чем указано в каталоге: %1">
        <source></source>
        <translation>Data file is shorter than the catalogue states: %1</translation>
    </message>
    <message id="Неизвестный формат данных %1: %2">
        <source></source>
        <translation>Unknown data format %1: %2</translation>
    </message>
    <message id="Ошибка базы данных: Error of delete record in ZEL-DB (FILELIST -&gt; %1)&#10;%2">
        <source></source>
        <translation>Database error: failed to delete the record from ZEL-DB (FILELIST -&gt; %1)
%2</translation>
    </message>
    <message id="Удалить файлы  с данными станции %1 в интервале %2 - %3">
        <source></source>
        <translation>Delete the data files of station %1 from %2 to %3?</translation>
    </message>
    <message id="Файл не является обычным файлом: %1">
        <source></source>
        <translation>Not a regular file: %1</translation>
    </message>
    <message id="Ошибка открытия файла %1">
        <source></source>
        <translation>Error opening file %1</translation>
    </message>
    <message id="Файл данных лежит вне каталога файла wfdisc: %1">
        <source></source>
        <translation>Data file lies outside the wfdisc file&apos;s directory: %1</translation>
    </message>
    <message id="Ошибка чтения файла %1">
        <source></source>
        <translation>Error reading file %1</translation>
    </message>
    <message id="Не могу конвертировать данные типа %1">
        <source></source>
        <translation>Cannot convert data of type %1</translation>
    </message>
    <message id="Не могу создать файл '%1/%2'">
        <source></source>
        <translation>Cannot create file &apos;%1/%2&apos;</translation>
    </message>
    <message id="Канала %1 %2 нет в таблице станций: %3">
        <source></source>
        <translation>Channel %1 %2 is not in the station table: %3</translation>
    </message>
    <message id="Не могу создать файл '%1'">
        <source></source>
        <translation>Cannot create file &apos;%1&apos;</translation>
    </message>
    <message id="Файл не содержит записей MiniSEED: %1">
        <source></source>
        <translation>The file holds no MiniSEED records: %1</translation>
    </message>
    <message id="Слишком длинный код сети для MiniSEED: %1">
        <source></source>
        <translation>Network code too long for MiniSEED: %1</translation>
    </message>
    <message id="Слишком длинный код станции для MiniSEED: %1">
        <source></source>
        <translation>Station code too long for MiniSEED: %1</translation>
    </message>
    <message id="Слишком длинный код места для MiniSEED: %1">
        <source></source>
        <translation>Location code too long for MiniSEED: %1</translation>
    </message>
    <message id="Слишком длинный код канала для MiniSEED: %1">
        <source></source>
        <translation>Channel code too long for MiniSEED: %1</translation>
    </message>
    <message id="Значение отсчета не может быть записано в MiniSEED (Steim-2): %1">
        <source></source>
        <translation>Sample value cannot be written to MiniSEED (Steim-2): %1</translation>
    </message>
    <message id="Файл не в формате SAC: %1">
        <source></source>
        <translation>Not a SAC file: %1</translation>
    </message>
    <message id="Файл SAC не содержит равномерного временного ряда: %1">
        <source></source>
        <translation>The SAC file holds no evenly sampled time series: %1</translation>
    </message>
    <message id="Неверный заголовок файла SAC: %1">
        <source></source>
        <translation>Invalid SAC file header: %1</translation>
    </message>
    <message id="В заголовке файла SAC нет времени начала: %1">
        <source></source>
        <translation>The SAC file header has no start time: %1</translation>
    </message>
    <message id="Файл SAC короче, чем указано в заголовке: %1">
        <source></source>
        <translation>The SAC file is shorter than its header states: %1</translation>
    </message>
    <message id="В заголовке файла SAC нет станции или канала: %1">
        <source></source>
        <translation>The SAC file header has no station or channel: %1</translation>
    </message>
    <message id="DecodeSamples: encoding %1 is not decodable">
        <source></source>
        <translation>DecodeSamples: encoding %1 is not decodable</translation>
    </message>
    <message id="Не могу создать файл '%1': %2">
        <source></source>
        <translation>Cannot create file &apos;%1&apos;: %2</translation>
    </message>
    <message id="Ошибка записи файла '%1': %2">
        <source></source>
        <translation>Error writing file &apos;%1&apos;: %2</translation>
    </message>
    <message id="Слишком длинное имя сети: %1...">
        <source></source>
        <translation>Network name too long: %1...</translation>
    </message>
    <message id="Слишком длинный список станций сети %1">
        <source></source>
        <translation>Station list of network %1 is too long</translation>
    </message>
    <message id="Нет времени пробега %1 для станции %2">
        <source></source>
        <translation>No %1 travel time for station %2</translation>
    </message>
    <message id="Нет файла %1">
        <source></source>
        <translation>File not found: %1</translation>
    </message>
    <message id="Неверное число '%1' в файле %2">
        <source></source>
        <translation>Invalid number &apos;%1&apos; in file %2</translation>
    </message>
    <message id="Файл годографа %1 короче, чем указано в нем">
        <source></source>
        <translation>Travel-time file %1 is shorter than it states</translation>
    </message>
    <message id="Неверное число узлов в файле годографа %1">
        <source></source>
        <translation>Invalid number of nodes in travel-time file %1</translation>
    </message>
    <message id="Неверный файл калибровки ML %1">
        <source></source>
        <translation>Invalid ML calibration file %1</translation>
    </message>
    <message id="Неверная строка в файле калибровки mb %1">
        <source></source>
        <translation>Invalid line in mb calibration file %1</translation>
    </message>
    <message id="Неверный файл калибровки mb %1">
        <source></source>
        <translation>Invalid mb calibration file %1</translation>
    </message>
    <message id="Станция">
        <source></source>
        <translation>Station</translation>
    </message>
    <message id="Канал">
        <source></source>
        <translation>Channel</translation>
    </message>
    <message id="Начало">
        <source></source>
        <translation>Start</translation>
    </message>
    <message id="Длительность (с)">
        <source></source>
        <translation>Duration (s)</translation>
    </message>
    <message id="Частота">
        <source></source>
        <translation>Sampling rate</translation>
    </message>
    <message id="Файл">
        <source></source>
        <translation>File</translation>
    </message>
    <message id="Формат">
        <source></source>
        <translation>Format</translation>
    </message>
    <message id="Смещение">
        <source></source>
        <translation>Offset</translation>
    </message>
    <message id="Список файлов волновых форм">
        <source></source>
        <translation>Waveform file list</translation>
    </message>
    <message id="Дни с">
        <source></source>
        <translation>Days from</translation>
    </message>
    <message id="по">
        <source></source>
        <translation>to</translation>
    </message>
    <message id="Обновить">
        <source></source>
        <translation>Refresh</translation>
    </message>
    <message id="Выбрать каталог c файлами (*.wfdisc)">
        <source></source>
        <translation>Choose a directory with files (*.wfdisc)</translation>
    </message>
    <message id="Сохранить данные в формате CSS 3.0">
        <source></source>
        <translation>Save data in CSS 3.0 format</translation>
    </message>
    <message id="wfd[isc] files (*.wfd *.wfdisc);;Все файлы (*.*)">
        <source></source>
        <translation>wfd[isc] files (*.wfd *.wfdisc);;All files (*.*)</translation>
    </message>
    <message id="Подключение архива MiniSEED...">
        <source></source>
        <translation>Connecting the MiniSEED archive...</translation>
    </message>
    <message id="Остановить">
        <source></source>
        <translation>Stop</translation>
    </message>
    <message id="Список фаз не пуст: сохраните или очистите его перед загрузкой станций">
        <source></source>
        <translation>The phase list is not empty: save or clear it before loading stations</translation>
    </message>
    <message id="Архив MiniSEED (SDS или любой каталог)">
        <source></source>
        <translation>MiniSEED archive (SDS or any directory)</translation>
    </message>
    <message id="Станции из StationXML">
        <source></source>
        <translation>Stations from StationXML</translation>
    </message>
    <message id="StationXML (*.xml);;Все файлы (*)">
        <source></source>
        <translation>StationXML (*.xml);;All files (*)</translation>
    </message>
    <message id="Ошибка инициализации интерфейса к базе данных ZEL">
        <source></source>
        <translation>Failed to initialise the ZEL database interface</translation>
    </message>
    <message id="Ошибка базы данных: Ошибка добавления поля %1 в таблицу %2&#10;%3">
        <source></source>
        <translation>Database error: failed to add column %1 to table %2
%3</translation>
    </message>
    <message id="Переподключиться к БД?">
        <source></source>
        <translation>Reconnect to the database?</translation>
    </message>
    <message id="Внимание!">
        <source></source>
        <translation>Warning</translation>
    </message>
    <message id="Произошла ошибка при записи в БД CSS 3.0">
        <source></source>
        <translation>Error writing to the CSS 3.0 database</translation>
    </message>
    <message id="Список фаз успешно сохранен в БД CSS 3.0">
        <source></source>
        <translation>Phase list saved to the CSS 3.0 database</translation>
    </message>
    <message id="Ошибка при получении нового %1">
        <source></source>
        <translation>Cannot obtain a new %1</translation>
    </message>
    <message id="Фаза %1 относится к неизвестной станции, каналу или фазе">
        <source></source>
        <translation>Phase %1 refers to an unknown station, channel or phase</translation>
    </message>
    <message id="Ошибка открытия файла: %1: %2">
        <source></source>
        <translation>Cannot open file: %1: %2</translation>
    </message>
    <message id="Индекс">
        <source></source>
        <translation>Index</translation>
    </message>
    <message id="Время в очаге">
        <source></source>
        <translation>Origin time</translation>
    </message>
    <message id="Широта">
        <source></source>
        <translation>Latitude</translation>
    </message>
    <message id="Долгота">
        <source></source>
        <translation>Longitude</translation>
    </message>
    <message id="Глубина">
        <source></source>
        <translation>Depth</translation>
    </message>
    <message id="Комментарий">
        <source></source>
        <translation>Comment</translation>
    </message>
    <message id="Отчет %1 - %2">
        <source></source>
        <translation>Report %1 - %2</translation>
    </message>
    <message id="Отчет за период '%1 - %2'">
        <source></source>
        <translation>Report for the period &apos;%1 - %2&apos;</translation>
    </message>
    <message id="Ошибка сохранения файла отчета %1&#10;%2">
        <source></source>
        <translation>Cannot save report file %1
%2</translation>
    </message>
    <message id="Имя файла должно оканчиваться на .htm или .txt">
        <source></source>
        <translation>The file name must end in .htm or .txt</translation>
    </message>
    <message id="Успешное сохранение отчета в файл %1">
        <source></source>
        <translation>Report saved to file %1</translation>
    </message>
    <message id="Введено ошибочное время">
        <source></source>
        <translation>Invalid time entered</translation>
    </message>
    <message id="Не выбран файла отчета !!!">
        <source></source>
        <translation>No report selected!</translation>
    </message>
    <message id="Ошибка создания файла %1&#10;%2">
        <source></source>
        <translation>Cannot create file %1
%2</translation>
    </message>
    <message id="Событие отсутствовало в БД CSS 3.0 и записано в неё заново">
        <source></source>
        <translation>The event was missing from the CSS 3.0 database and has been written to it again</translation>
    </message>
    <message id="Ошибка открытия файла  '%1'">
        <source></source>
        <translation>Cannot open file &apos;%1&apos;</translation>
    </message>
    <message id="В бюллетене нет строки гипоцентра события %1">
        <source></source>
        <translation>The bulletin has no origin line for event %1</translation>
    </message>
    <message id="В бюллетене нет заголовка списка фаз события %1">
        <source></source>
        <translation>The bulletin has no phase list header for event %1</translation>
    </message>
    <message id="Из %1 вступлений события %2 пропущено %3: %4.">
        <source></source>
        <translation>Of %1 arrivals of event %2, %3 skipped: %4.</translation>
    </message>
    <message id="без названия фазы — %1">
        <source></source>
        <translation>no phase name — %1</translation>
    </message>
    <message id="нечитаемые строки — %1">
        <source></source>
        <translation>unreadable lines — %1</translation>
    </message>
    <message id="неизвестные станции — %1 (%2)">
        <source></source>
        <translation>unknown stations — %1 (%2)</translation>
    </message>
    <message id="фазы, которых нет в каталоге, — %1 (%2)">
        <source></source>
        <translation>phases not in the catalogue — %1 (%2)</translation>
    </message>
    <message id="нет канала нужной компоненты — %1 (%2)">
        <source></source>
        <translation>no channel of the required component — %1 (%2)</translation>
    </message>
    <message id="повторы уже прочитанной фазы станции — %1 (%2)">
        <source></source>
        <translation>repeats of a station phase already read — %1 (%2)</translation>
    </message>
    <message id="Ошибка открытия файла  '%1': %2">
        <source></source>
        <translation>Cannot open file &apos;%1&apos;: %2</translation>
    </message>
    <message id="Файл не в формате QuakeML: %1">
        <source></source>
        <translation>Not a QuakeML file: %1</translation>
    </message>
    <message id="Ошибка чтения файла QuakeML %1: %2">
        <source></source>
        <translation>Error reading QuakeML file %1: %2</translation>
    </message>
    <message id="Ошибка чтения QuakeML: %1">
        <source></source>
        <translation>Error reading QuakeML: %1</translation>
    </message>
    <message id="Канал %1 не импортирован: нет координат, высоты или частоты дискретизации">
        <source></source>
        <translation>Channel %1 not imported: no coordinates, elevation or sample rate</translation>
    </message>
    <message id="Канал %1 не импортирован: у станции больше 8 групп">
        <source></source>
        <translation>Channel %1 not imported: the station has more than 8 groups</translation>
    </message>
    <message id="Канал %1 не импортирован: в группе уже есть канал этой ориентации">
        <source></source>
        <translation>Channel %1 not imported: the group already has a channel of this orientation</translation>
    </message>
    <message id="Канал %1: характеристика не записана (%2)">
        <source></source>
        <translation>Channel %1: response not written (%2)</translation>
    </message>
    <message id="Ошибка чтения файла StationXML %1: %2">
        <source></source>
        <translation>Error reading StationXML file %1: %2</translation>
    </message>
    <message id="Файл не в формате FDSN StationXML: %1">
        <source></source>
        <translation>Not an FDSN StationXML file: %1</translation>
    </message>
    <message id="нет нулей и полюсов">
        <source></source>
        <translation>no poles and zeros</translation>
    </message>
    <message id="цифровая характеристика, не нули и полюса">
        <source></source>
        <translation>digital response, not poles and zeros</translation>
    </message>
    <message id="нет чувствительности">
        <source></source>
        <translation>no sensitivity</translation>
    </message>
    <message id="единицы %1 не смещение, скорость или ускорение">
        <source></source>
        <translation>units %1 are not displacement, velocity or acceleration</translation>
    </message>
    <message id="нули и полюса вырождены">
        <source></source>
        <translation>degenerate poles and zeros</translation>
    </message>
    <message id="Импортировано станций: %1, каналов: %2, характеристик: %3">
        <source></source>
        <translation>Imported stations: %1, channels: %2, responses: %3</translation>
    </message>
    <message id="Станция %1.%2 не импортирована: нет координат">
        <source></source>
        <translation>Station %1.%2 not imported: no coordinates</translation>
    </message>
    <message id="В файле StationXML нет станций с координатами: %1">
        <source></source>
        <translation>The StationXML file has no stations with coordinates: %1</translation>
    </message>
    <message id="Каталог">
        <source></source>
        <translation>Directory</translation>
    </message>
    <message id="Сохранить результаты обработки в файлы в формате CSS">
        <source></source>
        <translation>Save processing results to CSS format files</translation>
    </message>
    <message id="Введите ORID от 1 до 99999999">
        <source></source>
        <translation>Enter an ORID from 1 to 99999999</translation>
    </message>
    <message id="Сохранить результаты обработки из БД в файлы в формате CSS">
        <source></source>
        <translation>Save processing results from the database to CSS format files</translation>
    </message>
    <message id="с">
        <source></source>
        <translation>From</translation>
    </message>
    <message id="События без ORID не записаны: %1">
        <source></source>
        <translation>Events without ORID not written: %1</translation>
    </message>
    <message id="Бюллетень IMS (*.txt)">
        <source></source>
        <translation>IMS bulletin (*.txt)</translation>
    </message>
    <message id="Все файлы (*)">
        <source></source>
        <translation>All files (*)</translation>
    </message>
    <message id="Бюллетень в формате NORDIS (*.txt)">
        <source></source>
        <translation>NORDIS format bulletin (*.txt)</translation>
    </message>
    <message id="Бюллетень (*.txt)">
        <source></source>
        <translation>Bulletin (*.txt)</translation>
    </message>
    <message id="Событие">
        <source></source>
        <translation>Event</translation>
    </message>
    <message id="Станции, которых нет в таблице станций (их фазы пропущены): %1">
        <source></source>
        <translation>Stations not in the station table (their phases skipped): %1</translation>
    </message>
    <message id="Фазы, которых нет в каталоге (пропущены): %1">
        <source></source>
        <translation>Phases not in the catalogue (skipped): %1</translation>
    </message>
    <message id="Списки сейсм. фаз для KPW2(*.dat)">
        <source></source>
        <translation>Seismic phase lists for KPW2(*.dat)</translation>
    </message>
    <message id="Списки сейсм. фаз для программы сводной обработки TRAVO (*.bms)">
        <source></source>
        <translation>Seismic phase lists for the TRAVO joint processing program (*.bms)</translation>
    </message>
    <message id="Списки сейсм. фаз (*.arr*)">
        <source></source>
        <translation>Seismic phase lists (*.arr*)</translation>
    </message>
    <message id="Загрузить список  фаз из файла">
        <source></source>
        <translation>Load phase list from file</translation>
    </message>
    <message id="Добавить список  фаз из файла">
        <source></source>
        <translation>Add phase list from file</translation>
    </message>
    <message id="Сохранить список всех фаз">
        <source></source>
        <translation>Save list of all phases</translation>
    </message>
    <message id="Сохранить список фаз для HYPO71">
        <source></source>
        <translation>Save phase list for HYPO71</translation>
    </message>
    <message id="*Сохранить список фаз в формате KPW2">
        <source></source>
        <translation>*Save phase list in KPW2 format</translation>
    </message>
    <message id="Сохранить список фаз в формате TRAVO">
        <source></source>
        <translation>Save phase list in TRAVO format</translation>
    </message>
    <message id="Сохранить результаты обработки в формате REB/IMS">
        <source></source>
        <translation>Save processing results in REB/IMS format</translation>
    </message>
    <message id="Загрузить бюллетень в формате NORDIS">
        <source></source>
        <translation>Load NORDIS format bulletin</translation>
    </message>
    <message id="Выбор EVENT">
        <source></source>
        <translation>Select EVENT</translation>
    </message>
    <message id="Дата">
        <source></source>
        <translation>Date</translation>
    </message>
    <message id="Время">
        <source></source>
        <translation>Time</translation>
    </message>
    <message id="Загружать только информацию о фазах">
        <source></source>
        <translation>Load phase information only</translation>
    </message>
    <message id="Отчет">
        <source></source>
        <translation>Report</translation>
    </message>
    <message id="Выводить списки фаз">
        <source></source>
        <translation>Include phase lists</translation>
    </message>
    <message id="Сортировать по возрастанию">
        <source></source>
        <translation>Sort ascending</translation>
    </message>
    <message id="Показать">
        <source></source>
        <translation>Show</translation>
    </message>
    <message id="Сохранить">
        <source></source>
        <translation>Save</translation>
    </message>
    <message id="Распечатать">
        <source></source>
        <translation>Print</translation>
    </message>
    <message id="Закрыть">
        <source></source>
        <translation>Close</translation>
    </message>
    <message id="Отчет в HTML (*.htm)">
        <source></source>
        <translation>HTML report (*.htm)</translation>
    </message>
    <message id="Текстовый файл отчета (*.txt)">
        <source></source>
        <translation>Text report file (*.txt)</translation>
    </message>
    <message id="Нет файла береговой линии %1: береговая линия не рисуется">
        <source></source>
        <translation>Coastline file %1 not found: no coastline is drawn</translation>
    </message>
    <message id="Нет файлов рельефа map00.bmp ... map08.bmp: рельеф не рисуется">
        <source></source>
        <translation>Relief files map00.bmp ... map08.bmp not found: no relief is drawn</translation>
    </message>
    <message id="Аз.=%1° Обр.аз.=%2° Рас.=%3°">
        <source></source>
        <translation>Az.=%1° Baz.=%2° Dist.=%3°</translation>
    </message>
    <message id="Сейсмические станции">
        <source></source>
        <translation>Seismic stations</translation>
    </message>
    <message id="%1 км">
        <source></source>
        <translation>%1 km</translation>
    </message>
    <message id="%1 м">
        <source></source>
        <translation>%1 m</translation>
    </message>
    <message id="Эпицентр">
        <source></source>
        <translation>Epicentre</translation>
    </message>
    <message id="Сбросить эпицентр">
        <source></source>
        <translation>Clear epicentre</translation>
    </message>
    <message id="Глубина(км.)">
        <source></source>
        <translation>Depth (km)</translation>
    </message>
    <message id="Нет ни эпицентра, ни фаз события">
        <source></source>
        <translation>No epicentre and no phases of the event</translation>
    </message>
    <message id="Карта/эпицентр">
        <source></source>
        <translation>Map/epicentre</translation>
    </message>
    <message id="Сдвинуть карту">
        <source></source>
        <translation>Pan map</translation>
    </message>
    <message id="Печать...">
        <source></source>
        <translation>Print...</translation>
    </message>
    <message id="Сохранить как PNG или PDF...">
        <source></source>
        <translation>Save as PNG or PDF...</translation>
    </message>
    <message id="Демонстрационные данные не созданы: %1">
        <source></source>
        <translation>Demo data not created: %1</translation>
    </message>
    <message id="Таблицы регионов не заполнены: %1">
        <source></source>
        <translation>Region tables not filled: %1</translation>
    </message>
    <message id="Вы согласны завершить работу программы ZEL?">
        <source></source>
        <translation>Do you want to exit ZEL?</translation>
    </message>
    <message id="Список фаз не пуст. Сохранить?">
        <source></source>
        <translation>The phase list is not empty. Save it?</translation>
    </message>
    <message id="Канал окна D%1 не найден в таблице станций">
        <source></source>
        <translation>The channel of pane D%1 is not in the station table</translation>
    </message>
    <message id="Ошибка открытия таблицы калибровок для канала '%1' станции '%2'">
        <source></source>
        <translation>Cannot open the calibration table for channel &apos;%1&apos; of station &apos;%2&apos;</translation>
    </message>
    <message id="Не найден файл %1 с АЧХ для канала '%2' станции '%3'">
        <source></source>
        <translation>Amplitude response file %1 not found for channel &apos;%2&apos; of station &apos;%3&apos;</translation>
    </message>
    <message id="Нет calib и calper для канала '%1' станции '%2'">
        <source></source>
        <translation>No calib and calper for channel &apos;%1&apos; of station &apos;%2&apos;</translation>
    </message>
    <message id="Полосовой %1-%2 Гц, порядок %3">
        <source></source>
        <translation>Band-pass %1-%2 Hz, order %3</translation>
    </message>
    <message id="Режекторный %1-%2 Гц, порядок %3">
        <source></source>
        <translation>Band-stop %1-%2 Hz, order %3</translation>
    </message>
    <message id="ФНЧ %1 Гц, порядок %2">
        <source></source>
        <translation>LP %1 Hz, order %2</translation>
    </message>
    <message id="ФВЧ %1 Гц, порядок %2">
        <source></source>
        <translation>HP %1 Hz, order %2</translation>
    </message>
    <message id="%1, нулевая фаза">
        <source></source>
        <translation>%1, zero phase</translation>
    </message>
    <message id="Введите целое число от 1 до 10">
        <source></source>
        <translation>Enter an integer from 1 to 10</translation>
    </message>
    <message id="Частоты фильтра не могут быть отрицательными">
        <source></source>
        <translation>Filter frequencies cannot be negative</translation>
    </message>
    <message id="Нижняя частота полосы должна быть меньше верхней">
        <source></source>
        <translation>The lower band edge must be below the upper one</translation>
    </message>
    <message id="Полоса фильтра пуста: при частоте дискретизации %1 Гц верхняя частота не может быть выше %2 Гц, а нижняя задана %3 Гц">
        <source></source>
        <translation>Empty filter band: at a sample rate of %1 Hz the upper frequency cannot exceed %2 Hz, and the lower one is set to %3 Hz</translation>
    </message>
    <message id="Введите число между -20 и 20.">
        <source></source>
        <translation>Enter a number between -20 and 20.</translation>
    </message>
    <message id="Введите число.">
        <source></source>
        <translation>Enter a number.</translation>
    </message>
    <message id="Введите целое число.">
        <source></source>
        <translation>Enter an integer.</translation>
    </message>
    <message id="Введите целое число между 2 и 1000.">
        <source></source>
        <translation>Enter an integer between 2 and 1000.</translation>
    </message>
    <message id="Максимум Px и Py должен быть больше минимума.">
        <source></source>
        <translation>The Px and Py maximum must exceed the minimum.</translation>
    </message>
    <message id="Окно D%1 не содержит данных преобразованного сигнала и будет исключено из расчета.">
        <source></source>
        <translation>Pane D%1 holds no transformed signal and will be excluded from the computation.</translation>
    </message>
    <message id="Выбранный временной интервал находится вне пределов окна волновых форм T%1 станции '%2' канала '%3' или отсутствует&#10; Канал будет исключен из расчета&#10;">
        <source></source>
        <translation>The selected time interval is outside waveform pane T%1 of station &apos;%2&apos; channel &apos;%3&apos; or missing
 The channel will be excluded from the computation
</translation>
    </message>
    <message id="Список отобраных каналов пуст. Модуль F-K анализа запущен не будет.">
        <source></source>
        <translation>No channels selected. F-K analysis will not be started.</translation>
    </message>
    <message id="другой">
        <source></source>
        <translation>custom</translation>
    </message>
    <message id="белый">
        <source></source>
        <translation>white</translation>
    </message>
    <message id="светло-серый">
        <source></source>
        <translation>light grey</translation>
    </message>
    <message id="серый">
        <source></source>
        <translation>grey</translation>
    </message>
    <message id="бледно-зеленый">
        <source></source>
        <translation>pale green</translation>
    </message>
    <message id="бледно-желтый">
        <source></source>
        <translation>pale yellow</translation>
    </message>
    <message id="бледно-голубой">
        <source></source>
        <translation>pale blue</translation>
    </message>
    <message id="желтый">
        <source></source>
        <translation>yellow</translation>
    </message>
    <message id="темно-серый">
        <source></source>
        <translation>dark grey</translation>
    </message>
    <message id="зеленый">
        <source></source>
        <translation>green</translation>
    </message>
    <message id="болотный">
        <source></source>
        <translation>olive</translation>
    </message>
    <message id="темно-зеленый">
        <source></source>
        <translation>dark green</translation>
    </message>
    <message id="голубой">
        <source></source>
        <translation>light blue</translation>
    </message>
    <message id="синий">
        <source></source>
        <translation>blue</translation>
    </message>
    <message id="темно-синий">
        <source></source>
        <translation>navy</translation>
    </message>
    <message id="розовый">
        <source></source>
        <translation>magenta</translation>
    </message>
    <message id="красный">
        <source></source>
        <translation>red</translation>
    </message>
    <message id="темно-красный">
        <source></source>
        <translation>dark red</translation>
    </message>
    <message id="фиолетовый">
        <source></source>
        <translation>purple</translation>
    </message>
    <message id="черный">
        <source></source>
        <translation>black</translation>
    </message>
    <message id="Фаза &quot;%1&quot; отсутствует в списке фаз">
        <source></source>
        <translation>Phase &quot;%1&quot; is not in the phase list</translation>
    </message>
    <message id="Преобразование с кодом %1 не определено">
        <source></source>
        <translation>Transformation with code %1 is not defined</translation>
    </message>
    <message id="Гипоцентр %1° %2°, h = %3 км, t0 = %4">
        <source></source>
        <translation>Hypocentre %1° %2°, h = %3 km, t0 = %4</translation>
    </message>
    <message id="Гипоцентр %1° %2°, h = %3 км, t0 = %4,  приведенное время: v = %5 км/с">
        <source></source>
        <translation>Hypocentre %1° %2°, h = %3 km, t0 = %4,  reduced time: v = %5 km/s</translation>
    </message>
    <message id="t - t0 - Δ/%1, с">
        <source></source>
        <translation>t - t0 - Δ/%1, s</translation>
    </message>
    <message id="t - t0, с">
        <source></source>
        <translation>t - t0, s</translation>
    </message>
    <message id="Δ, км">
        <source></source>
        <translation>Δ, km</translation>
    </message>
    <message id="Невязка, с">
        <source></source>
        <translation>Residual, s</translation>
    </message>
    <message id="Невязки: определяющих фаз %1, исключенных %2, RMS = %3 с">
        <source></source>
        <translation>Residuals: %1 defining phases, %2 excluded, RMS = %3 s</translation>
    </message>
    <message id="Невязка – расстояние">
        <source></source>
        <translation>Residual – distance</translation>
    </message>
    <message id="Расстояние, км">
        <source></source>
        <translation>Distance, km</translation>
    </message>
    <message id="Расстояние, град.">
        <source></source>
        <translation>Distance, deg</translation>
    </message>
    <message id="Невязка – азимут">
        <source></source>
        <translation>Residual – azimuth</translation>
    </message>
    <message id="Азимут от эпицентра, град.">
        <source></source>
        <translation>Azimuth from epicentre, deg</translation>
    </message>
    <message id="исключенные из расчета">
        <source></source>
        <translation>excluded from the solution</translation>
    </message>
    <message id="Сделать окно главным">
        <source></source>
        <translation>Make main pane</translation>
    </message>
    <message id="Ф/И">
        <source></source>
        <translation>F/R</translation>
    </message>
    <message id="Фильтрованные/Исходные данные">
        <source></source>
        <translation>Filtered/Raw data</translation>
    </message>
    <message id="Максимизировать окно во весь экран">
        <source></source>
        <translation>Maximise pane to full screen</translation>
    </message>
    <message id="(*)Выбрать станцию и канал...">
        <source></source>
        <translation>(*)Choose station and channel...</translation>
    </message>
    <message id="(*)Перерисовать">
        <source></source>
        <translation>(*)Redraw</translation>
    </message>
    <message id="Отметить фазу">
        <source></source>
        <translation>Pick phase</translation>
    </message>
    <message id="(*)Исключить фазы из расчета">
        <source></source>
        <translation>(*)Exclude phases from location</translation>
    </message>
    <message id="(*)Включить фазы в расчет в интервале">
        <source></source>
        <translation>(*)Include phases in the interval in location</translation>
    </message>
    <message id="(*)Удалить фазы в интервале">
        <source></source>
        <translation>(*)Delete phases in the interval</translation>
    </message>
    <message id="Выровнять положение фаз P на экране">
        <source></source>
        <translation>Align P phases on screen</translation>
    </message>
    <message id="(*)Масштаб">
        <source></source>
        <translation>(*)Scale</translation>
    </message>
    <message id="Преобразование">
        <source></source>
        <translation>Transformation</translation>
    </message>
    <message id="Выбрать преобразованный сигнал">
        <source></source>
        <translation>Show transformed signal</translation>
    </message>
    <message id="Выбрать исходный сигнал">
        <source></source>
        <translation>Show raw signal</translation>
    </message>
    <message id="Деактивизировать все окна">
        <source></source>
        <translation>Deactivate all panes</translation>
    </message>
    <message id="Сделать активными все окна">
        <source></source>
        <translation>Activate all panes</translation>
    </message>
    <message id="Инвертировать выделение">
        <source></source>
        <translation>Invert selection</translation>
    </message>
    <message id="Удалить активные окна">
        <source></source>
        <translation>Delete active panes</translation>
    </message>
    <message id="Создать новое окно">
        <source></source>
        <translation>New pane</translation>
    </message>
    <message id="Установки...">
        <source></source>
        <translation>Settings...</translation>
    </message>
    <message id="Масштаб">
        <source></source>
        <translation>Scale</translation>
    </message>
    <message id="Максимум">
        <source></source>
        <translation>Maximum</translation>
    </message>
    <message id="Минимум">
        <source></source>
        <translation>Minimum</translation>
    </message>
    <message id="Максимум преобразованного сигнала">
        <source></source>
        <translation>Transformed signal maximum</translation>
    </message>
    <message id="Минимум преобразованного сигнала">
        <source></source>
        <translation>Transformed signal minimum</translation>
    </message>
    <message id="Сохранить список выбранных каналов и станций">
        <source></source>
        <translation>Save list of selected channels and stations</translation>
    </message>
    <message id="Загрузить список станций">
        <source></source>
        <translation>Load station list</translation>
    </message>
    <message id="Список">
        <source></source>
        <translation>List</translation>
    </message>
    <message id="Изменен">
        <source></source>
        <translation>Modified</translation>
    </message>
    <message id="Удалить">
        <source></source>
        <translation>Delete</translation>
    </message>
    <message id="Отмена">
        <source></source>
        <translation>Cancel</translation>
    </message>
    <message id="Выбрать">
        <source></source>
        <translation>Select</translation>
    </message>
    <message id="Выйти">
        <source></source>
        <translation>Close</translation>
    </message>
    <message id="Выбор трасс">
        <source></source>
        <translation>Trace selection</translation>
    </message>
    <message id="Выбор станции и канала">
        <source></source>
        <translation>Station and channel selection</translation>
    </message>
    <message id=" с">
        <source></source>
        <translation> s</translation>
    </message>
    <message id="Все станции">
        <source></source>
        <translation>All stations</translation>
    </message>
    <message id="Начало записи">
        <source></source>
        <translation>Record start</translation>
    </message>
    <message id="Длительность">
        <source></source>
        <translation>Duration</translation>
    </message>
    <message id="Установить данное время для всех станций">
        <source></source>
        <translation>Apply this time to all stations</translation>
    </message>
    <message id="Убрать все отметки">
        <source></source>
        <translation>Clear all selections</translation>
    </message>
    <message id="Убрать отметки каналов текущей станции">
        <source></source>
        <translation>Clear the current station&apos;s channel selections</translation>
    </message>
    <message id="Выбрать каналы по образцу">
        <source></source>
        <translation>Select channels by pattern</translation>
    </message>
    <message id="Фаза">
        <source></source>
        <translation>Phase</translation>
    </message>
    <message id="Тип канала">
        <source></source>
        <translation>Channel type</translation>
    </message>
    <message id="Тип фильтра/симуляции">
        <source></source>
        <translation>Filter/simulation type</translation>
    </message>
    <message id="Копировать фазу на другие каналы">
        <source></source>
        <translation>Copy phase to other channels</translation>
    </message>
    <message id="Произвести автоматический замер амплитуды">
        <source></source>
        <translation>Measure amplitude automatically</translation>
    </message>
    <message id="Приведенное время (v = %1 км/с)">
        <source></source>
        <translation>Reduced time (v = %1 km/s)</translation>
    </message>
    <message id="Скорость редукции...">
        <source></source>
        <translation>Reduction velocity...</translation>
    </message>
    <message id="Скорость редукции">
        <source></source>
        <translation>Reduction velocity</translation>
    </message>
    <message id="Скорость, км/с:">
        <source></source>
        <translation>Velocity, km/s:</translation>
    </message>
    <message id="Преобразованный сигнал">
        <source></source>
        <translation>Transformed signal</translation>
    </message>
    <message id="Все годографы">
        <source></source>
        <translation>All travel-time curves</translation>
    </message>
    <message id="Метки (время, амплитуда)">
        <source></source>
        <translation>Labels (time, amplitude)</translation>
    </message>
    <message id="Основной фон">
        <source></source>
        <translation>Background</translation>
    </message>
    <message id="По умолчанию">
        <source></source>
        <translation>Defaults</translation>
    </message>
    <message id="Рисовать графики волновых форм">
        <source></source>
        <translation>Draw waveforms</translation>
    </message>
    <message id="Отображать сетку по шкале времени">
        <source></source>
        <translation>Show time grid</translation>
    </message>
    <message id="Сохранять фильтр окна при сдвиге и масштабировании">
        <source></source>
        <translation>Keep the pane filter when scrolling and zooming</translation>
    </message>
    <message id="Режим отметки фаз остается включенным после отметки">
        <source></source>
        <translation>Picking mode stays on after a pick</translation>
    </message>
    <message id="Читаются данные...">
        <source></source>
        <translation>Reading data...</translation>
    </message>
    <message id="Ошибка чтения списка событий !">
        <source></source>
        <translation>Error reading the event list!</translation>
    </message>
    <message id="Не удается прочитать список каналов &quot;%1&quot;">
        <source></source>
        <translation>Cannot read channel list &quot;%1&quot;</translation>
    </message>
    <message id="Добавить каналы для визуализации и обработки">
        <source></source>
        <translation>Add channels for display and processing</translation>
    </message>
    <message id="Список всех фаз">
        <source></source>
        <translation>Phase list</translation>
    </message>
    <message id="Каскад">
        <source></source>
        <translation>Cascade</translation>
    </message>
    <message id="Горизонтальная мозаика">
        <source></source>
        <translation>Tile horizontally</translation>
    </message>
    <message id="Вертикальная мозаика">
        <source></source>
        <translation>Tile vertically</translation>
    </message>
    <message id="Показать движ. частиц">
        <source></source>
        <translation>Show particle motion</translation>
    </message>
    <message id="Рабочие параметры...">
        <source></source>
        <translation>Settings...</translation>
    </message>
    <message id="Редактировать список сетей">
        <source></source>
        <translation>Edit network list</translation>
    </message>
    <message id="Переподключиться к БД">
        <source></source>
        <translation>Reconnect to database</translation>
    </message>
    <message id="Редактировать список отображений каталогов">
        <source></source>
        <translation>Edit directory mappings</translation>
    </message>
    <message id="Показать окно списка обработанных событий">
        <source></source>
        <translation>Show the list of processed events</translation>
    </message>
    <message id="Редактировать список контролируемых регионов">
        <source></source>
        <translation>Edit monitored regions</translation>
    </message>
    <message id="Очистить список фаз">
        <source></source>
        <translation>Clear phase list</translation>
    </message>
    <message id="Выход">
        <source></source>
        <translation>Exit</translation>
    </message>
    <message id="О программе">
        <source></source>
        <translation>About</translation>
    </message>
    <message id="Настроить панель инструментов">
        <source></source>
        <translation>Customise toolbar</translation>
    </message>
    <message id="Увеличить">
        <source></source>
        <translation>Zoom in</translation>
    </message>
    <message id="Уменьшить">
        <source></source>
        <translation>Zoom out</translation>
    </message>
    <message id="вправо">
        <source></source>
        <translation>right</translation>
    </message>
    <message id="влево">
        <source></source>
        <translation>left</translation>
    </message>
    <message id="вверх">
        <source></source>
        <translation>up</translation>
    </message>
    <message id="вниз">
        <source></source>
        <translation>down</translation>
    </message>
    <message id="Восстановить исходное значение масштаба">
        <source></source>
        <translation>Reset zoom</translation>
    </message>
    <message id="Показать сеть станций">
        <source></source>
        <translation>Show station network</translation>
    </message>
    <message id="Показать событие и его станции">
        <source></source>
        <translation>Show event and its stations</translation>
    </message>
    <message id="Рисовать уровни высот и глубин">
        <source></source>
        <translation>Draw elevation and depth levels</translation>
    </message>
    <message id="Рисовать береговую линию">
        <source></source>
        <translation>Draw coastline</translation>
    </message>
    <message id="Рисовать простую карту">
        <source></source>
        <translation>Draw simple map</translation>
    </message>
    <message id="Рисовать азимут">
        <source></source>
        <translation>Draw azimuths</translation>
    </message>
    <message id="Отметить стартовую для расчета эпицентра">
        <source></source>
        <translation>Mark starting point for location</translation>
    </message>
    <message id="Параметры гипоцентра">
        <source></source>
        <translation>Hypocentre parameters</translation>
    </message>
    <message id="Перерисовать">
        <source></source>
        <translation>Redraw</translation>
    </message>
    <message id="Рисовать волновые формы">
        <source></source>
        <translation>Draw waveforms</translation>
    </message>
    <message id="Во все окно">
        <source></source>
        <translation>Fit to window</translation>
    </message>
    <message id="Выводить отметки системы сбора данных">
        <source></source>
        <translation>Show acquisition system marks</translation>
    </message>
    <message id="Отображать отметки фаз из БД">
        <source></source>
        <translation>Show database phase picks</translation>
    </message>
    <message id="Рисовать общий вертикальный курсор">
        <source></source>
        <translation>Draw common vertical cursor</translation>
    </message>
    <message id="Отцентрировать график волновых форм">
        <source></source>
        <translation>Centre waveform plot</translation>
    </message>
    <message id="Выровнять масштаб по времени">
        <source></source>
        <translation>Align time scale</translation>
    </message>
    <message id="Сдвинуть график влево...">
        <source></source>
        <translation>Shift plot left...</translation>
    </message>
    <message id="Сдвинуть график вправо">
        <source></source>
        <translation>Shift plot right</translation>
    </message>
    <message id="Сдвинуть график вверх...">
        <source></source>
        <translation>Shift plot up...</translation>
    </message>
    <message id="Сдвинуть график вниз...">
        <source></source>
        <translation>Shift plot down...</translation>
    </message>
    <message id="Вернуться">
        <source></source>
        <translation>Back</translation>
    </message>
    <message id="Сжать по горизонтали">
        <source></source>
        <translation>Compress horizontally</translation>
    </message>
    <message id="Сжать по вертикали">
        <source></source>
        <translation>Compress vertically</translation>
    </message>
    <message id="Растянуть по горизонтали">
        <source></source>
        <translation>Stretch horizontally</translation>
    </message>
    <message id="Растянуть по вертикали">
        <source></source>
        <translation>Stretch vertically</translation>
    </message>
    <message id="Горизонтали">
        <source></source>
        <translation>Horizontally</translation>
    </message>
    <message id="Вертикали">
        <source></source>
        <translation>Vertically</translation>
    </message>
    <message id="Отцентрировать">
        <source></source>
        <translation>Centre</translation>
    </message>
    <message id="Выровнять масштаб по амплитуде">
        <source></source>
        <translation>Align amplitude scale</translation>
    </message>
    <message id="Привести исходный и преобразованный сигнал к одному масштабу">
        <source></source>
        <translation>Bring original and transformed signals to one scale</translation>
    </message>
    <message id="Выбрать станцию и канал...">
        <source></source>
        <translation>Choose station and channel...</translation>
    </message>
    <message id="Сохранить список каналов">
        <source></source>
        <translation>Save channel list</translation>
    </message>
    <message id="Загрузить список каналов">
        <source></source>
        <translation>Load channel list</translation>
    </message>
    <message id="Сортировать...">
        <source></source>
        <translation>Sort...</translation>
    </message>
    <message id="по номеру в БД">
        <source></source>
        <translation>by database index</translation>
    </message>
    <message id="по времени прихода фаз">
        <source></source>
        <translation>by phase arrival time</translation>
    </message>
    <message id="по алфавиту">
        <source></source>
        <translation>alphabetically</translation>
    </message>
    <message id="по номеру на экране">
        <source></source>
        <translation>by screen order</translation>
    </message>
    <message id="по расстоянию от эпицентра">
        <source></source>
        <translation>by epicentral distance</translation>
    </message>
    <message id="по амплитуде ">
        <source></source>
        <translation>by amplitude </translation>
    </message>
    <message id="по магнитуде Mb">
        <source></source>
        <translation>by magnitude mb</translation>
    </message>
    <message id="Удаление файлов из дисковой петли...">
        <source></source>
        <translation>Delete files from the disk loop...</translation>
    </message>
    <message id="Сохранить данные в формате CSS 3.0 ...">
        <source></source>
        <translation>Save data in CSS 3.0 format ...</translation>
    </message>
    <message id="Загрузить данные в формате CSS 3.0...">
        <source></source>
        <translation>Load data in CSS 3.0 format...</translation>
    </message>
    <message id="Удалить интервальные отметки">
        <source></source>
        <translation>Delete interval marks</translation>
    </message>
    <message id="Выровнять отметки">
        <source></source>
        <translation>Align marks</translation>
    </message>
    <message id="Фильтр">
        <source></source>
        <translation>Filter</translation>
    </message>
    <message id="Конструктор фильтра">
        <source></source>
        <translation>Filter designer</translation>
    </message>
    <message id="Убрать фильтр">
        <source></source>
        <translation>Remove filter</translation>
    </message>
    <message id="Формула">
        <source></source>
        <translation>Formula</translation>
    </message>
    <message id="Симуляция смещения">
        <source></source>
        <translation>Simulate displacement</translation>
    </message>
    <message id="Симуляция WWSSSP">
        <source></source>
        <translation>Simulate WWSSSP</translation>
    </message>
    <message id="Симуляция KIRNOS">
        <source></source>
        <translation>Simulate KIRNOS</translation>
    </message>
    <message id="Симуляция Wood-Anderson">
        <source></source>
        <translation>Simulate Wood-Anderson</translation>
    </message>
    <message id="Симуляция LPSRO">
        <source></source>
        <translation>Simulate LPSRO</translation>
    </message>
    <message id="Симуляция WWSSLP">
        <source></source>
        <translation>Simulate WWSSLP</translation>
    </message>
    <message id="Симуляция СКМ">
        <source></source>
        <translation>Simulate SKM</translation>
    </message>
    <message id="К смещению по АЧХ">
        <source></source>
        <translation>Displacement from response</translation>
    </message>
    <message id="Симуляция WWSSSP с использованием АЧХ">
        <source></source>
        <translation>Simulate WWSSSP using response</translation>
    </message>
    <message id="Симуляция WWSSLP с использованием АЧХ">
        <source></source>
        <translation>Simulate WWSSLP using response</translation>
    </message>
    <message id="Симуляция LPSRO с использованием АЧХ">
        <source></source>
        <translation>Simulate LPSRO using response</translation>
    </message>
    <message id="Симуляция KIRNOS с использованием АЧХ">
        <source></source>
        <translation>Simulate KIRNOS using response</translation>
    </message>
    <message id="Симуляция Wood-Anderson с использованием АЧХ">
        <source></source>
        <translation>Simulate Wood-Anderson using response</translation>
    </message>
    <message id="Симуляция ВЭГИК с использованием АЧХ">
        <source></source>
        <translation>Simulate VEGIK using response</translation>
    </message>
    <message id="Запустить детектор STA\LTA">
        <source></source>
        <translation>Run STA\LTA detector</translation>
    </message>
    <message id="Очистить список срабатываний">
        <source></source>
        <translation>Clear detection list</translation>
    </message>
    <message id="Азимут по 3-м компонентам">
        <source></source>
        <translation>Three-component azimuth</translation>
    </message>
    <message id="Азимут колебаний...">
        <source></source>
        <translation>Polarization azimuth...</translation>
    </message>
    <message id="Прямолинейность колебаний...">
        <source></source>
        <translation>Rectilinearity...</translation>
    </message>
    <message id="Планарность колебаний...">
        <source></source>
        <translation>Planarity...</translation>
    </message>
    <message id="F-K анализ">
        <source></source>
        <translation>F-K analysis</translation>
    </message>
    <message id="Расчет периода(с) и амплитуды(мкм.)">
        <source></source>
        <translation>Period (s) and amplitude (µm)</translation>
    </message>
    <message id="По АЧХ из БД (нули/полюса или FAP)">
        <source></source>
        <translation>By response from the database (poles/zeros or FAP)</translation>
    </message>
    <message id="Нормализовать амплитуду">
        <source></source>
        <translation>Normalise amplitude</translation>
    </message>
    <message id="Кода">
        <source></source>
        <translation>Coda</translation>
    </message>
    <message id="Рассчитать класс по номограмме Раутиан">
        <source></source>
        <translation>Energy class from the Rautian nomogram</translation>
    </message>
    <message id="Рассчитать энергетический класс &quot;Раутиан по ВЭГИК&quot;">
        <source></source>
        <translation>Energy class &quot;Rautian from VEGIK&quot;</translation>
    </message>
    <message id="Рассчитать энергетический класс &quot;Раутиан по CKM&quot;">
        <source></source>
        <translation>Energy class &quot;Rautian from SKM&quot;</translation>
    </message>
    <message id="Азимут по временам P-вступлений">
        <source></source>
        <translation>Azimuth from P onset times</translation>
    </message>
    <message id="Автоматическая расстановка фаз...">
        <source></source>
        <translation>Automatic phase placement...</translation>
    </message>
    <message id="Оценка расстояния до эпицентра...">
        <source></source>
        <translation>Epicentral distance estimate...</translation>
    </message>
    <message id="Годограф ...">
        <source></source>
        <translation>Travel times ...</translation>
    </message>
    <message id="Азимут и дистанция по заданным координатам...">
        <source></source>
        <translation>Azimuth and distance between coordinates...</translation>
    </message>
    <message id="Оценка положения гипоцентра">
        <source></source>
        <translation>Locate hypocentre</translation>
    </message>
    <message id="*Новая эпицентрия">
        <source></source>
        <translation>*New location</translation>
    </message>
    <message id="Запустить внешнюю программу эпицентрии (LOQ)">
        <source></source>
        <translation>Run external location program (LOQ)</translation>
    </message>
    <message id="Удалить выделенную фазу из списка">
        <source></source>
        <translation>Delete selected phase from the list</translation>
    </message>
    <message id="Вставить  фазу">
        <source></source>
        <translation>Insert phase</translation>
    </message>
    <message id="Перерассчитать невязки и расстояние для текущего эпицентра">
        <source></source>
        <translation>Recompute residuals and distances for the current epicentre</translation>
    </message>
    <message id="Сохранить список фаз в БД">
        <source></source>
        <translation>Save phase list to database</translation>
    </message>
    <message id="Загрузить список фаз из БД">
        <source></source>
        <translation>Load phase list from database</translation>
    </message>
    <message id="Начать обработку нового землетрясения">
        <source></source>
        <translation>Start a new event</translation>
    </message>
    <message id="Загрузить данные автоматической локации">
        <source></source>
        <translation>Load automatic location</translation>
    </message>
    <message id="Генерация отчета о землетрясениях">
        <source></source>
        <translation>Event report</translation>
    </message>
    <message id="Сохранить результаты обработки в файлы в формате CSS( .origin, .arrival, .assoc )">
        <source></source>
        <translation>Save results to CSS files (.origin, .arrival, .assoc)</translation>
    </message>
    <message id="Сохранить результаты обработки из БД в файлы в формате CSS( .origin, .arrival, .assoc )">
        <source></source>
        <translation>Save results from the database to CSS files (.origin, .arrival, .assoc)</translation>
    </message>
    <message id="Загрузить список фаз в формате IMS">
        <source></source>
        <translation>Load phase list in IMS format</translation>
    </message>
    <message id="Подключить архив MiniSEED...">
        <source></source>
        <translation>Connect MiniSEED archive...</translation>
    </message>
    <message id="Загрузить станции из StationXML...">
        <source></source>
        <translation>Load stations from StationXML...</translation>
    </message>
    <message id="Сохранить событие в формате QuakeML...">
        <source></source>
        <translation>Save event as QuakeML...</translation>
    </message>
    <message id="Загрузить событие в формате QuakeML...">
        <source></source>
        <translation>Load event from QuakeML...</translation>
    </message>
    <message id="Отменить изменение списка фаз">
        <source></source>
        <translation>Undo phase list change</translation>
    </message>
    <message id="Вернуть изменение списка фаз">
        <source></source>
        <translation>Redo phase list change</translation>
    </message>
    <message id="Предыдущая страница">
        <source></source>
        <translation>Previous page</translation>
    </message>
    <message id="Следующая страница">
        <source></source>
        <translation>Next page</translation>
    </message>
    <message id="Фаза P под указателем">
        <source></source>
        <translation>P phase at pointer</translation>
    </message>
    <message id="Фаза S под указателем">
        <source></source>
        <translation>S phase at pointer</translation>
    </message>
    <message id="1-я фаза набора под указателем">
        <source></source>
        <translation>1st phase of the set at pointer</translation>
    </message>
    <message id="2-я фаза набора под указателем">
        <source></source>
        <translation>2nd phase of the set at pointer</translation>
    </message>
    <message id="3-я фаза набора под указателем">
        <source></source>
        <translation>3rd phase of the set at pointer</translation>
    </message>
    <message id="4-я фаза набора под указателем">
        <source></source>
        <translation>4th phase of the set at pointer</translation>
    </message>
    <message id="5-я фаза набора под указателем">
        <source></source>
        <translation>5th phase of the set at pointer</translation>
    </message>
    <message id="6-я фаза набора под указателем">
        <source></source>
        <translation>6th phase of the set at pointer</translation>
    </message>
    <message id="7-я фаза набора под указателем">
        <source></source>
        <translation>7th phase of the set at pointer</translation>
    </message>
    <message id="8-я фаза набора под указателем">
        <source></source>
        <translation>8th phase of the set at pointer</translation>
    </message>
    <message id="9-я фаза набора под указателем">
        <source></source>
        <translation>9th phase of the set at pointer</translation>
    </message>
    <message id="Удалить ближайшую фазу под указателем">
        <source></source>
        <translation>Delete nearest phase at pointer</translation>
    </message>
    <message id="Клавиши и команды">
        <source></source>
        <translation>Keys and commands</translation>
    </message>
    <message id="Справка ZEL">
        <source></source>
        <translation>ZEL help</translation>
    </message>
    <message id="Период и амплитуда после фазы под указателем">
        <source></source>
        <translation>Period and amplitude after the phase at pointer</translation>
    </message>
    <message id="Сейсмограммы по расстоянию">
        <source></source>
        <translation>Record section</translation>
    </message>
    <message id="Невязки">
        <source></source>
        <translation>Residuals</translation>
    </message>
    <message id="Сохранить рабочую область...">
        <source></source>
        <translation>Save worksheet...</translation>
    </message>
    <message id="Загрузить рабочую область...">
        <source></source>
        <translation>Load worksheet...</translation>
    </message>
    <message id="Сохранить данные в файл">
        <source></source>
        <translation>Save data to file</translation>
    </message>
    <message id="Загрузить данные из файла">
        <source></source>
        <translation>Load data from file</translation>
    </message>
    <message id="Копировать данные в буфер обмена">
        <source></source>
        <translation>Copy data to clipboard</translation>
    </message>
    <message id="Вставить данные из буфера обмена">
        <source></source>
        <translation>Paste data from clipboard</translation>
    </message>
    <message id="Наложить графики...">
        <source></source>
        <translation>Overplot...</translation>
    </message>
    <message id="Зафиксировать окно">
        <source></source>
        <translation>Fix window</translation>
    </message>
    <message id="Свойства набора данных в активном окне">
        <source></source>
        <translation>Properties of the data set in the active window</translation>
    </message>
    <message id="Формула окна...">
        <source></source>
        <translation>Window formula...</translation>
    </message>
    <message id="Добавить окно">
        <source></source>
        <translation>Add window</translation>
    </message>
    <message id="Удалить последнее окно">
        <source></source>
        <translation>Remove last window</translation>
    </message>
    <message id="Пересчитать все окна">
        <source></source>
        <translation>Recompute all windows</translation>
    </message>
    <message id="Спектрограмма...">
        <source></source>
        <translation>Spectrogram...</translation>
    </message>
    <message id="&amp;Функции">
        <source></source>
        <translation>&amp;Functions</translation>
    </message>
    <message id="&amp;Волновые формы">
        <source></source>
        <translation>&amp;Waveforms</translation>
    </message>
    <message id="&amp;Список фаз">
        <source></source>
        <translation>&amp;Phase list</translation>
    </message>
    <message id="&amp;ПОС">
        <source></source>
        <translation>&amp;DSP</translation>
    </message>
    <message id="&amp;Карта">
        <source></source>
        <translation>&amp;Map</translation>
    </message>
    <message id="&amp;Окно">
        <source></source>
        <translation>W&amp;indow</translation>
    </message>
    <message id="Спр&amp;авка">
        <source></source>
        <translation>&amp;Help</translation>
    </message>
    <message id="&amp;Каналы">
        <source></source>
        <translation>&amp;Channels</translation>
    </message>
    <message id="&amp;Вид">
        <source></source>
        <translation>&amp;View</translation>
    </message>
    <message id="&amp;Растянуть по">
        <source></source>
        <translation>S&amp;tretch</translation>
    </message>
    <message id="&amp;Сжать по">
        <source></source>
        <translation>Co&amp;mpress</translation>
    </message>
    <message id="&amp;Масштаб">
        <source></source>
        <translation>&amp;Scale</translation>
    </message>
    <message id="С&amp;ортировать">
        <source></source>
        <translation>S&amp;ort</translation>
    </message>
    <message id="&amp;Фазы">
        <source></source>
        <translation>&amp;Phases</translation>
    </message>
    <message id="&amp;Преобразование">
        <source></source>
        <translation>T&amp;ransformation</translation>
    </message>
    <message id="Си&amp;муляция">
        <source></source>
        <translation>Si&amp;mulation</translation>
    </message>
    <message id="Симуляция по &amp;АЧХ">
        <source></source>
        <translation>Simulation by &amp;response</translation>
    </message>
    <message id="&amp;Анализ">
        <source></source>
        <translation>&amp;Analysis</translation>
    </message>
    <message id="Амп&amp;литуды и магнитуды">
        <source></source>
        <translation>Amp&amp;litudes and magnitudes</translation>
    </message>
    <message id="&amp;Эпицентр">
        <source></source>
        <translation>&amp;Epicentre</translation>
    </message>
    <message id="Со&amp;бытие">
        <source></source>
        <translation>E&amp;vent</translation>
    </message>
    <message id="Содержание">
        <source></source>
        <translation>Contents</translation>
    </message>
    <message id="Команды и клавиши">
        <source></source>
        <translation>Commands and keys</translation>
    </message>
    <message id="Клавиши без Ctrl действуют в окне волновых форм, на окне канала под указателем мыши. Колесо мыши: масштаб времени вокруг указателя; Ctrl+колесо: масштаб амплитуды; Shift+колесо: прокрутка окон; средняя кнопка: сдвиг по времени.">
        <source></source>
        <translation>Keys without Ctrl act in the waveform window, on the channel pane under the mouse pointer. Mouse wheel: time zoom around the pointer; Ctrl+wheel: amplitude zoom; Shift+wheel: scroll the panes; middle button: shift in time.</translation>
    </message>
    <message id="Окно волновых форм">
        <source></source>
        <translation>Waveform window</translation>
    </message>
    <message id="Остальные команды">
        <source></source>
        <translation>Other commands</translation>
    </message>
    <message id="Язык формул">
        <source></source>
        <translation>Formula language</translation>
    </message>
    <message id="Формула вычисляет сигнал из каналов окна волновых форм (d3 — исходные отсчеты окна D3, t3 — его преобразованный сигнал, %1 — канал по имени), окон процессора обработки сигналов (w0 … w63), чисел и функций. Функции и операции:">
        <source></source>
        <translation>A formula computes a signal from the channels of the waveform window (d3: the raw samples of pane D3, t3: its transformed signal, %1: a channel by name), from the signal processor&apos;s windows (w0 … w63), numbers and functions. Functions and operators:</translation>
    </message>
    <message id="Программа zelbatch не найдена рядом с zel.">
        <source></source>
        <translation>The zelbatch program was not found beside zel.</translation>
    </message>
    <message id="Обработка без экрана на тех же ZEL.ini и базах данных; те же правила, что в окнах.">
        <source></source>
        <translation>Processing without a screen, on the same ZEL.ini and databases; the same rules as in the windows.</translation>
    </message>
    <message id="Назад">
        <source></source>
        <translation>Back</translation>
    </message>
    <message id="Вперед">
        <source></source>
        <translation>Forward</translation>
    </message>
    <message id="Сохранить рисунок">
        <source></source>
        <translation>Save plot</translation>
    </message>
    <message id="Файл %1 уже существует.&#10;Заменить его?">
        <source></source>
        <translation>File %1 already exists.
Replace it?</translation>
    </message>
    <message id="Ошибка записи файла %1">
        <source></source>
        <translation>Error writing file %1</translation>
    </message>
    <message id="Клавиши без Ctrl действуют в окне волновых форм, на окне канала под указателем мыши.&#10;Колесо мыши: масштаб времени вокруг указателя; Ctrl+колесо: масштаб амплитуды; Shift+колесо: прокрутка окон; средняя кнопка: сдвиг по времени.">
        <source></source>
        <translation>Keys without Ctrl act in the waveform window, on the channel pane under the mouse pointer.
Mouse wheel: time zoom around the pointer; Ctrl+wheel: amplitude zoom; Shift+wheel: scroll panes; middle button: shift in time.</translation>
    </message>
    <message id="Клавиши">
        <source></source>
        <translation>Keys</translation>
    </message>
    <message id="Команда">
        <source></source>
        <translation>Command</translation>
    </message>
    <message id="Разделитель">
        <source></source>
        <translation>Separator</translation>
    </message>
    <message id="Добавить -&gt;">
        <source></source>
        <translation>Add -&gt;</translation>
    </message>
    <message id="&lt;- Удалить">
        <source></source>
        <translation>&lt;- Remove</translation>
    </message>
    <message id="Вверх">
        <source></source>
        <translation>Up</translation>
    </message>
    <message id="Вниз">
        <source></source>
        <translation>Down</translation>
    </message>
    <message id="Сброс">
        <source></source>
        <translation>Reset</translation>
    </message>
    <message id="Имеющиеся кнопки:">
        <source></source>
        <translation>Available buttons:</translation>
    </message>
    <message id="Кнопки панели инструментов:">
        <source></source>
        <translation>Toolbar buttons:</translation>
    </message>
    <message id="Не выбран интервал">
        <source></source>
        <translation>No interval selected</translation>
    </message>
    <message id="Период = 0">
        <source></source>
        <translation>Period = 0</translation>
    </message>
    <message id="Введите имя фильтра">
        <source></source>
        <translation>Enter Filter Name</translation>
    </message>
    <message id="Неверный интервал дискретизации фильтруемого сигнала">
        <source></source>
        <translation>Invalid sample interval of the signal to filter</translation>
    </message>
    <message id="Частота среза фильтра должна быть больше нуля (задано %1 Гц)">
        <source></source>
        <translation>Filter corner frequency must be above zero (%1 Hz given)</translation>
    </message>
    <message id="Частота среза фильтра %1 Гц не меньше частоты Найквиста %2 Гц">
        <source></source>
        <translation>Filter corner frequency %1 Hz is not below the Nyquist frequency %2 Hz</translation>
    </message>
    <message id="Нижняя частота полосы фильтра (%1 Гц) должна быть меньше верхней (%2 Гц)">
        <source></source>
        <translation>Low corner of the filter band (%1 Hz) must be below the high corner (%2 Hz)</translation>
    </message>
    <message id="Фильтр типа '%1' не поддерживается">
        <source></source>
        <translation>Filter type &apos;%1&apos; is not supported</translation>
    </message>
    <message id="Файл %1 пуст">
        <source></source>
        <translation>File %1 is empty</translation>
    </message>
    <message id="Набор данных пуст">
        <source></source>
        <translation>The data set is empty</translation>
    </message>
    <message id="Нет скобки '('">
        <source></source>
        <translation>Expected &apos;(&apos;</translation>
    </message>
    <message id="Ошибка">
        <source></source>
        <translation>Error</translation>
    </message>
    <message id="Нет парной скобки ')'">
        <source></source>
        <translation>Missing closing &apos;)&apos;</translation>
    </message>
    <message id="abs(W) - Produces the absolute value of any expression">
        <source></source>
        <translation>abs(W) - Absolute value of any expression</translation>
    </message>
    <message id="avspectrum(W, points, shift) - Осредненный спектр сигнала W в скользящем окне, points - количество точек в окне, shift - сдвиг окна ">
        <source></source>
        <translation>avspectrum(W, points, shift) - Averaged spectrum of signal W in a sliding window, points - samples per window, shift - window shift </translation>
    </message>
    <message id="atan(W) - Calculates the arc-tangent of any expression">
        <source></source>
        <translation>atan(W) - Arc tangent of any expression</translation>
    </message>
    <message id="ceil(W) - Finds the smallest integer greater than or equal to the input value">
        <source></source>
        <translation>ceil(W) - Smallest integer greater than or equal to the input value</translation>
    </message>
    <message id="hanning(W) - Multiplies a signal by Hanning Window 0.5*(1.-cos(2*pi*i/(nn-1)))">
        <source></source>
        <translation>hanning(W) - Multiplies a signal by the Hanning window 0.5*(1.-cos(2*pi*i/(nn-1)))</translation>
    </message>
    <message id="cos(W) - Applying the cosine function of any expression">
        <source></source>
        <translation>cos(W) - Cosine of any expression</translation>
    </message>
    <message id="sin(W) - Applying the sine function of any expression">
        <source></source>
        <translation>sin(W) - Sine of any expression</translation>
    </message>
    <message id="tan(W) - Applying the tangent function of any expression">
        <source></source>
        <translation>tan(W) - Tangent of any expression</translation>
    </message>
    <message id="conv(W1,W2) - Convolves two signal W1 and W2">
        <source></source>
        <translation>conv(W1,W2) - Convolution of the two signals W1 and W2</translation>
    </message>
    <message id="deriv(W) - Derivative of signal W. Calculates by 3 points">
        <source></source>
        <translation>deriv(W) - Derivative of signal W, computed over 3 points</translation>
    </message>
    <message id="exp(W) - e**W (e=2.71828...)">
        <source></source>
        <translation>exp(W) - e**W (e=2.71828...)</translation>
    </message>
    <message id="extract(W, start, length) - Makes a new signal by extracting a portion of another signal">
        <source></source>
        <translation>extract(W, start, length) - New signal made of a portion of another signal</translation>
    </message>
    <message id="floor(W) - Finds the greatest integer less or equal to the input value">
        <source></source>
        <translation>floor(W) - Greatest integer less than or equal to the input value</translation>
    </message>
    <message id="gcos(points, spacing[, v [, fi ]]) - Generates a cosine curve cos(2*pi*v*t+fi)">
        <source></source>
        <translation>gcos(points, spacing[, v [, fi ]]) - Generates a cosine curve cos(2*pi*v*t+fi)</translation>
    </message>
    <message id="gline(points, spacing, a, b) - Generates a line y=a*t+b">
        <source></source>
        <translation>gline(points, spacing, a, b) - Generates a line y=a*t+b</translation>
    </message>
    <message id="gsin(points, spacing[, v [, fi ]]) - Generates a sine curve sin(2*pi*v*t+fi)">
        <source></source>
        <translation>gsin(points, spacing[, v [, fi ]]) - Generates a sine curve sin(2*pi*v*t+fi)</translation>
    </message>
    <message id="imfft(W) - Imaginary part of the first half of the FFT of the W.&#10; W padding zeros to signal length will be power of 2">
        <source></source>
        <translation>imfft(W) - Imaginary part of the first half of the FFT of W.
 W is zero-padded to a power-of-2 length</translation>
    </message>
    <message id="integ(W)- - Calculates the integral of the W. ">
        <source></source>
        <translation>integ(W) - Integral of W. </translation>
    </message>
    <message id="kaiser(W[,b]) - Multiplies a signal by Kaiser window. W padding zeros to signal length will be power of 2">
        <source></source>
        <translation>kaiser(W[,b]) - Multiplies a signal by the Kaiser window. W is zero-padded to a power-of-2 length</translation>
    </message>
    <message id="linreg(W) - Determines the best linear fit to a signal. Returns generated line">
        <source></source>
        <translation>linreg(W) - Best linear fit to a signal; returns the fitted line</translation>
    </message>
    <message id="log10(W) - Calculates the based 10 logarithm of the W">
        <source></source>
        <translation>log10(W) - Base-10 logarithm of W</translation>
    </message>
    <message id="log(W) - Calculates the natural logarithm of the W">
        <source></source>
        <translation>log(W) - Natural logarithm of W</translation>
    </message>
    <message id="max(W) - Finds maximum value of the W">
        <source></source>
        <translation>max(W) - Maximum value of W</translation>
    </message>
    <message id="mean(W) - Finds the mean value of the W">
        <source></source>
        <translation>mean(W) - Mean value of W</translation>
    </message>
    <message id="min(W) - Finds minimum value of the W">
        <source></source>
        <translation>min(W) - Minimum value of W</translation>
    </message>
    <message id="rand(points, spacing) - Generates points pseudorandom numbers between 0.0 and 1.0">
        <source></source>
        <translation>rand(points, spacing) - Generates points pseudo-random numbers between 0.0 and 1.0</translation>
    </message>
    <message id="refft(W) - Real part of the first half of the FFT of the W. W padding by zeros to signal length will be power of 2">
        <source></source>
        <translation>refft(W) - Real part of the first half of the FFT of W. W is zero-padded to a power-of-2 length</translation>
    </message>
    <message id="spectrum(W) - Returns the magnitude of the first half of the FFT of a signal. W padding by zeros to signal length will be power of 2">
        <source></source>
        <translation>spectrum(W) - Magnitude of the first half of the FFT of a signal. W is zero-padded to a power-of-2 length</translation>
    </message>
    <message id="sqrt(W) - Calculates the square root of the W">
        <source></source>
        <translation>sqrt(W) - Square root of W</translation>
    </message>
    <message id="sizeof(W) - Number of counts in the W">
        <source></source>
        <translation>sizeof(W) - Number of samples in W</translation>
    </message>
    <message id="interpolate(W,n) - Interpolate W. n-interpolation order">
        <source></source>
        <translation>interpolate(W,n) - Interpolates W; n - interpolation order</translation>
    </message>
    <message id="Butter(W, lfr, hfr, n) - Applying Butterworth filter to the W. lfr, hfr - low and high cutoff frequences, n - filter order">
        <source></source>
        <translation>Butter(W, lfr, hfr, n) - Butterworth filter applied to W; lfr, hfr - low and high corner frequencies, n - filter order</translation>
    </message>
    <message id="rectilin(Z, X, Y, N) - Rectilinearity of particle 3d motion described by Z, X, Y dataset; N - sliding window samples">
        <source></source>
        <translation>rectilin(Z, X, Y, N) - Rectilinearity of the 3-D particle motion given by the Z, X, Y data sets; N - sliding window length in samples</translation>
    </message>
    <message id="planar(Z, X, Y, N) - Planarity of particle 3d motion described by Z, X, Y dataset; N - sliding window length in samples">
        <source></source>
        <translation>planar(Z, X, Y, N) - Planarity of the 3-D particle motion given by the Z, X, Y data sets; N - sliding window length in samples</translation>
    </message>
    <message id="spectrogram(W, n, overlap[, f1, f2]) - Средняя спектральная плотность мощности сигнала W в полосе f1..f2 Гц (по умолчанию по всем частотам) в скользящем окне Ханна: n - количество точек в окне, overlap - перекрытие окон в точках; одно значение на окно, dx - сдвиг окна">
        <source></source>
        <translation>spectrogram(W, n, overlap[, f1, f2]) - Mean power spectral density of signal W in the band f1..f2 Hz (all frequencies by default) in a sliding Hann window: n - samples per window, overlap - window overlap in samples; one value per window, dx - window step</translation>
    </message>
    <message id="pi - 3.1415926535897932384626">
        <source></source>
        <translation>pi - 3.1415926535897932384626</translation>
    </message>
    <message id="e - 2.7182818284590452353602874">
        <source></source>
        <translation>e - 2.7182818284590452353602874</translation>
    </message>
    <message id="deg - 57.29577951308232087680">
        <source></source>
        <translation>deg - 57.29577951308232087680</translation>
    </message>
    <message id="Current window identifier">
        <source></source>
        <translation>Current window identifier</translation>
    </message>
    <message id="Subtraction">
        <source></source>
        <translation>Subtraction</translation>
    </message>
    <message id="Addition">
        <source></source>
        <translation>Addition</translation>
    </message>
    <message id="Dividing">
        <source></source>
        <translation>Division</translation>
    </message>
    <message id="Multiplying">
        <source></source>
        <translation>Multiplication</translation>
    </message>
    <message id="left bracket">
        <source></source>
        <translation>Left bracket</translation>
    </message>
    <message id="right bracket">
        <source></source>
        <translation>Right bracket</translation>
    </message>
    <message id="Select window name">
        <source></source>
        <translation>Select a window name</translation>
    </message>
    <message id="Отсутствует )">
        <source></source>
        <translation>Missing )</translation>
    </message>
    <message id="Ошибка: слишком глубокая вложенность формулы">
        <source></source>
        <translation>Error: formula nested too deeply</translation>
    </message>
    <message id="Недостаточно памяти для вычисления формулы">
        <source></source>
        <translation>Not enough memory to evaluate the formula</translation>
    </message>
    <message id="'%1' - undefined variables or function">
        <source></source>
        <translation>&apos;%1&apos; - undefined variable or function</translation>
    </message>
    <message id="Ошибка в количестве аргументов в функции EXTRACT">
        <source></source>
        <translation>Wrong number of arguments in function EXTRACT</translation>
    </message>
    <message id="к-во много аргументов &lt; 2 в функции CONV">
        <source></source>
        <translation>Fewer than 2 arguments in function CONV</translation>
    </message>
    <message id="Нет парной скобки или к-во много аргументов &gt; 2 в функции CONV">
        <source></source>
        <translation>Missing &apos;)&apos; or more than 2 arguments in function CONV</translation>
    </message>
    <message id="Error in formula: Expected '('">
        <source></source>
        <translation>Error in formula: expected &apos;(&apos;</translation>
    </message>
    <message id="Error in smooth: wrong arguments number">
        <source></source>
        <translation>Error in smooth: wrong number of arguments</translation>
    </message>
    <message id="Error in smooth: Expected ')'">
        <source></source>
        <translation>Error in smooth: expected &apos;)&apos;</translation>
    </message>
    <message id="Error in smooth: wrong smoothing length %1">
        <source></source>
        <translation>Error in smooth: invalid smoothing length %1</translation>
    </message>
    <message id="Error in formula: expected '('">
        <source></source>
        <translation>Error in formula: expected &apos;(&apos;</translation>
    </message>
    <message id="Error in formula: expected ','">
        <source></source>
        <translation>Error in formula: expected &apos;,&apos;</translation>
    </message>
    <message id="Error in GLINE arguments number">
        <source></source>
        <translation>Error in GLINE: wrong number of arguments</translation>
    </message>
    <message id="Нет парной скобки или к-во много аргументов &gt; 4 в функции GSIN">
        <source></source>
        <translation>Missing &apos;)&apos; or more than 4 arguments in function GSIN</translation>
    </message>
    <message id="Нет парной скобки или к-во много аргументов &gt; 4 в функции GCOS">
        <source></source>
        <translation>Missing &apos;)&apos; or more than 4 arguments in function GCOS</translation>
    </message>
    <message id="Нет парной скобки в Rand">
        <source></source>
        <translation>Missing &apos;)&apos; in Rand</translation>
    </message>
    <message id="Error in rectilinearity: wrong arguments number">
        <source></source>
        <translation>Error in rectilinearity: wrong number of arguments</translation>
    </message>
    <message id="Error in rectilinearity: Expected ')'">
        <source></source>
        <translation>Error in rectilinearity: expected &apos;)&apos;</translation>
    </message>
    <message id="Error in planarity: wrong arguments number">
        <source></source>
        <translation>Error in planarity: wrong number of arguments</translation>
    </message>
    <message id="Error in planarity: Expected ')'">
        <source></source>
        <translation>Error in planarity: expected &apos;)&apos;</translation>
    </message>
    <message id="Error in azimuth: wrong arguments number">
        <source></source>
        <translation>Error in azimuth: wrong number of arguments</translation>
    </message>
    <message id="Error in azimuth: Expected ')'">
        <source></source>
        <translation>Error in azimuth: expected &apos;)&apos;</translation>
    </message>
    <message id="Error in %1: arguments have different sample interval">
        <source></source>
        <translation>Error in %1: arguments have different sample intervals</translation>
    </message>
    <message id="Error in %1: wrong sliding window length %2">
        <source></source>
        <translation>Error in %1: invalid sliding window length %2</translation>
    </message>
    <message id="Error in formula: expected ')'">
        <source></source>
        <translation>Error in formula: expected &apos;)&apos;</translation>
    </message>
    <message id="Error in interpolate: wrong arguments number">
        <source></source>
        <translation>Error in interpolate: wrong number of arguments</translation>
    </message>
    <message id="Error in interpolate: Expected ')'">
        <source></source>
        <translation>Error in interpolate: expected &apos;)&apos;</translation>
    </message>
    <message id="Нет парной скобки или к-во много аргументов &gt; 5 в функции SPECTROGRAM">
        <source></source>
        <translation>Missing &apos;)&apos; or more than 5 arguments in function SPECTROGRAM</translation>
    </message>
    <message id="Ошибка в количестве аргументов в функции SPECTROGRAM">
        <source></source>
        <translation>Wrong number of arguments in function SPECTROGRAM</translation>
    </message>
    <message id="Error in %1: signal of %2 samples is longer than %3">
        <source></source>
        <translation>Error in %1: signal of %2 samples is longer than %3</translation>
    </message>
    <message id="Error in avspectrum: wrong window length %1">
        <source></source>
        <translation>Error in avspectrum: invalid window length %1</translation>
    </message>
    <message id="Error in avspectrum: wrong window shift %1">
        <source></source>
        <translation>Error in avspectrum: invalid window shift %1</translation>
    </message>
    <message id="Error in avspectrum: signal of %1 samples is too short for windows of %2">
        <source></source>
        <translation>Error in avspectrum: signal of %1 samples is too short for windows of %2</translation>
    </message>
    <message id="Error in interpolate: wrong interpolation order %1">
        <source></source>
        <translation>Error in interpolate: invalid interpolation order %1</translation>
    </message>
    <message id="Нет скобки '(' после LINREG">
        <source></source>
        <translation>Expected &apos;(&apos; after LINREG</translation>
    </message>
    <message id="Ошибка в количестве аргументов в функции dpv">
        <source></source>
        <translation>Wrong number of arguments in function dpv</translation>
    </message>
    <message id="Нет парной скобки или к-во много аргументов &gt; 2 в функции KAISER">
        <source></source>
        <translation>Missing &apos;)&apos; or more than 2 arguments in function KAISER</translation>
    </message>
    <message id="Нет парной скобки в функции KAISER">
        <source></source>
        <translation>Missing &apos;)&apos; in function KAISER</translation>
    </message>
    <message id="Не удалось открыть файл АЧХ '%1'">
        <source></source>
        <translation>Cannot open amplitude response file &apos;%1&apos;</translation>
    </message>
    <message id="Файл АЧХ '%1' испорчен: нет числа точек">
        <source></source>
        <translation>Amplitude response file &apos;%1&apos; is corrupt: no point count</translation>
    </message>
    <message id="Файл АЧХ '%1' испорчен: число точек %2">
        <source></source>
        <translation>Amplitude response file &apos;%1&apos; is corrupt: point count %2</translation>
    </message>
    <message id="Файл АЧХ '%1' испорчен: прочитано %2 точек из %3">
        <source></source>
        <translation>Amplitude response file &apos;%1&apos; is corrupt: %2 of %3 points read</translation>
    </message>
    <message id="Файл АЧХ '%1' испорчен: частоты не возрастают">
        <source></source>
        <translation>Amplitude response file &apos;%1&apos; is corrupt: frequencies do not increase</translation>
    </message>
    <message id="Error in %1: wrong number of samples %2">
        <source></source>
        <translation>Error in %1: invalid number of samples %2</translation>
    </message>
    <message id="Симуляция ВЭГИК-0.7">
        <source></source>
        <translation>VEGIK-0.7 simulation</translation>
    </message>
    <message id="Пересчет в скорость">
        <source></source>
        <translation>Convert to velocity</translation>
    </message>
    <message id="Симуляция СКМ с использованием АЧХ">
        <source></source>
        <translation>SKM simulation from amplitude response</translation>
    </message>
    <message id="Симуляция по нулям и полюсам выполняется не более чем по 10 минутам записи, а выбрано %1 с: уменьшите интервал окна">
        <source></source>
        <translation>Poles-and-zeros simulation is limited to 10 minutes of record, but %1 s are selected: shorten the window</translation>
    </message>
    <message id="Ошибка в spectrogram: длина окна %1 вне пределов 2 .. %2 (число отсчетов сигнала)">
        <source></source>
        <translation>Error in spectrogram: window length %1 is outside 2 .. %2 (the signal&apos;s sample count)</translation>
    </message>
    <message id="Ошибка в spectrogram: перекрытие %1 вне пределов 0 .. %2 (длина окна минус 1)">
        <source></source>
        <translation>Error in spectrogram: overlap %1 is outside 0 .. %2 (window length minus 1)</translation>
    </message>
    <message id="Ошибка в spectrogram: шаг по времени %1 с не положителен">
        <source></source>
        <translation>Error in spectrogram: time step %1 s is not positive</translation>
    </message>
    <message id="Ошибка в spectrogram: число окон %1 × число частот %2 превышает предел %3 значений; возьмите окно длиннее или перекрытие меньше">
        <source></source>
        <translation>Error in spectrogram: %1 windows × %2 frequencies exceeds the limit of %3 values; use a longer window or a smaller overlap</translation>
    </message>
    <message id="Ошибка в spectrogram: нижняя частота %1 Гц больше верхней %2 Гц">
        <source></source>
        <translation>Error in spectrogram: low frequency %1 Hz is above high frequency %2 Hz</translation>
    </message>
    <message id="Ошибка в spectrogram: в полосе %1 .. %2 Гц нет частот спектра (от 0 до %3 Гц с шагом %4 Гц)">
        <source></source>
        <translation>Error in spectrogram: no spectral frequencies in the band %1 .. %2 Hz (0 to %3 Hz in steps of %4 Hz)</translation>
    </message>
    <message id="Нет фильтрованных данных">
        <source></source>
        <translation>No filtered data</translation>
    </message>
    <message id="LTA (сек)">
        <source></source>
        <translation>LTA (s)</translation>
    </message>
    <message id="STA (сек)">
        <source></source>
        <translation>STA (s)</translation>
    </message>
    <message id="Порог срабатывания (STA/LTA)">
        <source></source>
        <translation>Trigger threshold (STA/LTA)</translation>
    </message>
    <message id="Использовать фильтр">
        <source></source>
        <translation>Use filter</translation>
    </message>
    <message id="Введите число между %1 и %2.">
        <source></source>
        <translation>Enter a number between %1 and %2.</translation>
    </message>
    <message id="Параметры детектора">
        <source></source>
        <translation>Detector Parameters</translation>
    </message>
    <message id="LTA/STA детектор">
        <source></source>
        <translation>LTA/STA detector</translation>
    </message>
    <message id="Геотех+ LTA/STA детектор">
        <source></source>
        <translation>Geotech+ LTA/STA detector</translation>
    </message>
    <message id="Применить">
        <source></source>
        <translation>Apply</translation>
    </message>
    <message id="Наложить графики">
        <source></source>
        <translation>Overlay Plots</translation>
    </message>
    <message id="Спектрограмма">
        <source></source>
        <translation>Spectrogram</translation>
    </message>
    <message id="Длина окна, отсчетов">
        <source></source>
        <translation>Window length, samples</translation>
    </message>
    <message id="Перекрытие окон, отсчетов">
        <source></source>
        <translation>Window overlap, samples</translation>
    </message>
    <message id="Показать частоты до, Гц">
        <source></source>
        <translation>Show frequencies up to, Hz</translation>
    </message>
    <message id="Сигнал: %1 отсчетов, шаг %2 с">
        <source></source>
        <translation>Signal: %1 samples, interval %2 s</translation>
    </message>
    <message id="Свойства набора данных">
        <source></source>
        <translation>Data Set Properties</translation>
    </message>
    <message id="Окно">
        <source></source>
        <translation>Window</translation>
    </message>
    <message id="Количество отсчетов">
        <source></source>
        <translation>Number of samples</translation>
    </message>
    <message id="Шаг dx">
        <source></source>
        <translation>Interval dx</translation>
    </message>
    <message id="Частота отсчетов (1/dx)">
        <source></source>
        <translation>Sampling rate (1/dx)</translation>
    </message>
    <message id="Длина (N·dx)">
        <source></source>
        <translation>Length (N·dx)</translation>
    </message>
    <message id="Зафиксировано">
        <source></source>
        <translation>Locked</translation>
    </message>
    <message id="да">
        <source></source>
        <translation>yes</translation>
    </message>
    <message id="нет">
        <source></source>
        <translation>no</translation>
    </message>
    <message id="%1   [зафиксировано]">
        <source></source>
        <translation>%1   [locked]</translation>
    </message>
    <message id="Рассчитать">
        <source></source>
        <translation>Compute</translation>
    </message>
    <message id="Сохранить рабочую область">
        <source></source>
        <translation>Save Worksheet</translation>
    </message>
    <message id="Рабочие листы (*.wks);;Все файлы (*)">
        <source></source>
        <translation>Worksheets (*.wks);;All files (*)</translation>
    </message>
    <message id="Загрузить рабочую область">
        <source></source>
        <translation>Load Worksheet</translation>
    </message>
    <message id="Файлы с данными (*.dat);;Все файлы (*)">
        <source></source>
        <translation>Data files (*.dat);;All files (*)</translation>
    </message>
    <message id="Unable to set Clipboard data">
        <source></source>
        <translation>Unable to set clipboard data</translation>
    </message>
    <message id="Спектрограмма W%1">
        <source></source>
        <translation>Spectrogram W%1</translation>
    </message>
    <message id="Имя программы">
        <source></source>
        <translation>Program</translation>
    </message>
    <message id="Каталог для обмена данными">
        <source></source>
        <translation>Data exchange directory</translation>
    </message>
    <message id="Программы (*.exe)">
        <source></source>
        <translation>Programs (*.exe)</translation>
    </message>
    <message id="Выберите каталог для обмена данными с программой F-K анализа">
        <source></source>
        <translation>Choose the directory for data exchange with the F-K analysis program</translation>
    </message>
    <message id="F-K Анализ">
        <source></source>
        <translation>F-K Analysis</translation>
    </message>
    <message id="Сетка медленности">
        <source></source>
        <translation>Slowness grid</translation>
    </message>
    <message id="Минимум Px и  Py (сек/км)">
        <source></source>
        <translation>Minimum Px and  Py (s/km)</translation>
    </message>
    <message id="Максимум Px и  Py (сек/км)">
        <source></source>
        <translation>Maximum Px and  Py (s/km)</translation>
    </message>
    <message id="Количество интервалов ">
        <source></source>
        <translation>Number of intervals </translation>
    </message>
    <message id="Рассч. с пом. ВП">
        <source></source>
        <translation>Compute externally</translation>
    </message>
    <message id="Результат">
        <source></source>
        <translation>Result</translation>
    </message>
    <message id="Азимут(град.)">
        <source></source>
        <translation>Azimuth(deg)</translation>
    </message>
    <message id="Медленность(сек./км.)">
        <source></source>
        <translation>Slowness(s/km)</translation>
    </message>
    <message id="Расстояние (град)">
        <source></source>
        <translation>Distance (deg)</translation>
    </message>
    <message id="Построить луч">
        <source></source>
        <translation>Form Beam</translation>
    </message>
    <message id="Ассоциировать результаты расчета с фазой">
        <source></source>
        <translation>Associate the result with phase</translation>
    </message>
    <message id="Расчет невозможен: отмеченный интервал пуст">
        <source></source>
        <translation>Cannot compute: the marked interval is empty</translation>
    </message>
    <message id="Отметка фазы '%1' отсутствует.&#10; Ассоциация не может быть выполнена.&#10;Результат расчета не будет запомнен">
        <source></source>
        <translation>No pick of phase &apos;%1&apos;.
 The association cannot be made.
The result will not be stored</translation>
    </message>
    <message id="Пересчет в смещение">
        <source></source>
        <translation>Convert to displacement</translation>
    </message>
    <message id="Симулировать СКМ">
        <source></source>
        <translation>Simulate SKM</translation>
    </message>
    <message id="Применить набор фильтра к активным окнам">
        <source></source>
        <translation>Apply a filter preset to the active panes</translation>
    </message>
    <message id="Фильтр...">
        <source></source>
        <translation>Filter...</translation>
    </message>
    <message id="Фильтрация...">
        <source></source>
        <translation>Filtering...</translation>
    </message>
    <message id="Производится расчет...">
        <source></source>
        <translation>Computing...</translation>
    </message>
    <message id="Выберите полосу пропускания  и тип фильтра">
        <source></source>
        <translation>Choose the passband  and filter type</translation>
    </message>
    <message id="низкая частота">
        <source></source>
        <translation>low frequency</translation>
    </message>
    <message id="высокая частота">
        <source></source>
        <translation>high frequency</translation>
    </message>
    <message id="Порядок фильтра">
        <source></source>
        <translation>Filter order</translation>
    </message>
    <message id="Тип фильтра">
        <source></source>
        <translation>Filter type</translation>
    </message>
    <message id="Полосовой">
        <source></source>
        <translation>Band-pass</translation>
    </message>
    <message id="Нижних частот">
        <source></source>
        <translation>Low-pass</translation>
    </message>
    <message id="Режекторный">
        <source></source>
        <translation>Band-stop</translation>
    </message>
    <message id="Верхних частот">
        <source></source>
        <translation>High-pass</translation>
    </message>
    <message id="Фильтр с нулевой фазой">
        <source></source>
        <translation>Zero-phase filter</translation>
    </message>
    <message id="Список фильтров">
        <source></source>
        <translation>Filter list</translation>
    </message>
    <message id="Запомнить">
        <source></source>
        <translation>Store</translation>
    </message>
    <message id="Нижняя граница">
        <source></source>
        <translation>Lower corner</translation>
    </message>
    <message id="Верхняя граница">
        <source></source>
        <translation>Upper corner</translation>
    </message>
    <message id="Порядок фильтра (2 -9)">
        <source></source>
        <translation>Filter order (2 -9)</translation>
    </message>
    <message id="Нулевая фаза">
        <source></source>
        <translation>Zero phase</translation>
    </message>
    <message id="Ошибка запуска модуля &#10;'%1'">
        <source></source>
        <translation>Cannot run module 
&apos;%1&apos;</translation>
    </message>
    <message id="Ошибка запуска модуля &#10;'%1'&#10;Модуль не завершился за %2 с и остановлен">
        <source></source>
        <translation>Cannot run module 
&apos;%1&apos;
The module did not finish within %2 s and was stopped</translation>
    </message>
    <message id="Ошибка запуска модуля &#10;'%1'&#10;Модуль завершился аварийно">
        <source></source>
        <translation>Cannot run module 
&apos;%1&apos;
The module crashed</translation>
    </message>
    <message id="Ошибка запуска модуля &#10;'%1'&#10;Модуль завершился с кодом %2">
        <source></source>
        <translation>Cannot run module 
&apos;%1&apos;
The module exited with code %2</translation>
    </message>
    <message id="Ошибка открытия файла результатов F-K анализа:&#10;'%1'">
        <source></source>
        <translation>Cannot open the F-K analysis results file:
&apos;%1&apos;</translation>
    </message>
    <message id="Функции">
        <source></source>
        <translation>Functions</translation>
    </message>
    <message id="Константы и операции">
        <source></source>
        <translation>Constants and operators</translation>
    </message>
    <message id="Последние формулы:">
        <source></source>
        <translation>Recent formulas:</translation>
    </message>
    <message id="Неправильное имя окна: '%1'">
        <source></source>
        <translation>Invalid window name: &apos;%1&apos;</translation>
    </message>
    <message id="Интервал вне трассы">
        <source></source>
        <translation>Interval is outside the trace</translation>
    </message>
    <message id="Поляризация не определена: в интервале нет колебаний">
        <source></source>
        <translation>Polarization undefined: no motion in the interval</translation>
    </message>
    <message id="На канале %1 %2 нет фазы %3: результат не сохранен">
        <source></source>
        <translation>Channel %1 %2 has no phase %3: result not stored</translation>
    </message>
    <message id="Параметры">
        <source></source>
        <translation>Parameters</translation>
    </message>
    <message id="Использовать преобразованный сигнал">
        <source></source>
        <translation>Use transformed signal</translation>
    </message>
    <message id="Ассоциировать с фазой">
        <source></source>
        <translation>Associate with phase</translation>
    </message>
    <message id="Результаты поляризационного анализа">
        <source></source>
        <translation>Polarization Analysis Results</translation>
    </message>
    <message id="Азимут по горизонтальным компонентам (град.)">
        <source></source>
        <translation>Azimuth from horizontal components (deg)</translation>
    </message>
    <message id="Азимут (град.)">
        <source></source>
        <translation>Azimuth (deg)</translation>
    </message>
    <message id="Угол падения (град.)">
        <source></source>
        <translation>Incidence angle (deg)</translation>
    </message>
    <message id="Планарность">
        <source></source>
        <translation>Planarity</translation>
    </message>
    <message id="Прямолинейность">
        <source></source>
        <translation>Rectilinearity</translation>
    </message>
    <message id="OK: записать результат в фазу %1">
        <source></source>
        <translation>OK: store the result in phase %1</translation>
    </message>
    <message id="Движение частиц">
        <source></source>
        <translation>Particle Motion</translation>
    </message>
    <message id="Спектрограмма %1&#10;окно Ханна %2 отсч. (%3 с), перекрытие %4 (шаг %5 с), Δf = %6 Гц; СПМ в дБ: 10·lg(ед.²/Гц), диапазон %7 дБ">
        <source></source>
        <translation>Spectrogram %1
Hann window %2 samples (%3 s), overlap %4 (step %5 s), Δf = %6 Hz; PSD in dB: 10·lg(units²/Hz), range %7 dB</translation>
    </message>
    <message id="Время от начала сигнала, с">
        <source></source>
        <translation>Time from signal start, s</translation>
    </message>
    <message id="Частота, Гц">
        <source></source>
        <translation>Frequency, Hz</translation>
    </message>
    <message id="дБ">
        <source></source>
        <translation>dB</translation>
    </message>
    <message id="Гипоцентр не определен">
        <source></source>
        <translation>No hypocentre defined</translation>
    </message>
    <message id="Ошибка при получении нового ORID">
        <source></source>
        <translation>Cannot obtain a new ORID</translation>
    </message>
    <message id="Ошибка при получении нового ARID">
        <source></source>
        <translation>Cannot obtain a new ARID</translation>
    </message>
    <message id="Ошибка при получении нового COMMID">
        <source></source>
        <translation>Cannot obtain a new COMMID</translation>
    </message>
    <message id="Ожидание: событие %1 сохраняется с другого рабочего места...">
        <source></source>
        <translation>Waiting: event %1 is being saved from another workstation...</translation>
    </message>
    <message id="Событие %1 сейчас сохраняется с другого рабочего места; повторите позже">
        <source></source>
        <translation>Event %1 is being saved from another workstation; try again later</translation>
    </message>
    <message id="Даннный идентификатор уже существует">
        <source></source>
        <translation>This identifier already exists</translation>
    </message>
    <message id="Введите идентификатор события">
        <source></source>
        <translation>Enter the event identifier</translation>
    </message>
    <message id="Ошибка при обновлении orid в ORIGIN в основной базе ZEL">
        <source></source>
        <translation>Cannot update the orid in ORIGIN of the main ZEL database</translation>
    </message>
    <message id="%1 (%2 с)">
        <source></source>
        <translation>%1 (%2 s)</translation>
    </message>
    <message id="Для фаз %1 в найденном гипоцентре нет времени пробега: они в расчете не участвовали.">
        <source></source>
        <translation>Phases %1 have no travel time at the located hypocentre: they were not used in the solution.</translation>
    </message>
    <message id="Фазы %1 исключены из расчета: их невязки далеко за разбросом остальных.">
        <source></source>
        <translation>Phases %1 were excluded from the solution: their residuals lie far outside the scatter of the others.</translation>
    </message>
    <message id="Фазы %1 в расчете не участвуют: в выбранной модели для них нет годографа.">
        <source></source>
        <translation>Phases %1 are not used in the solution: the selected model has no travel-time curve for them.</translation>
    </message>
    <message id="Исключена из расчета как выброс; отметьте фазу, чтобы вернуть ее в расчет.">
        <source></source>
        <translation>Excluded from the solution as an outlier; check the phase to use it again.</translation>
    </message>
    <message id="Количество фаз &lt; 4">
        <source></source>
        <translation>Fewer than 4 phases</translation>
    </message>
    <message id="Ошибка SVD: решение не найдено">
        <source></source>
        <translation>SVD failed: no solution found</translation>
    </message>
    <message id="Решение не найдено: нет времени пробега для всех фаз">
        <source></source>
        <translation>No solution found: too few phases have a travel time</translation>
    </message>
    <message id="Нет номера колонки %1.%2">
        <source></source>
        <translation>No column number for %1.%2</translation>
    </message>
    <message id="Нет поля %1 в строке: %2">
        <source></source>
        <translation>No field %1 in line: %2</translation>
    </message>
    <message id="Нет станции или фазы в строке: %1">
        <source></source>
        <translation>No station or phase in line: %1</translation>
    </message>
    <message id="Ошибка загрузки файла калибровки для %1">
        <source></source>
        <translation>Cannot load the calibration file for %1</translation>
    </message>
    <message id="Амплитуда = 0">
        <source></source>
        <translation>Amplitude = 0</translation>
    </message>
    <message id="Период должен быть больше 0">
        <source></source>
        <translation>The period must be greater than 0</translation>
    </message>
    <message id="Амплитуда должна быть больше 0">
        <source></source>
        <translation>The amplitude must be greater than 0</translation>
    </message>
    <message id="Расстояние должно быть больше 0">
        <source></source>
        <translation>The distance must be greater than 0</translation>
    </message>
    <message id="Для расстояния %1° и глубины %2 км нет данных в калибровочном файле для магнитуды %3.&#10;Магнитуда не рассчитана.">
        <source></source>
        <translation>The calibration file for magnitude %3 has no data for distance %1° and depth %2 km.
Magnitude not computed.</translation>
    </message>
    <message id="Для данного расстояния до эпицентра нет данных в калибровочном файле для магнитуды ML.">
        <source></source>
        <translation>The ML calibration file has no data for this epicentral distance.</translation>
    </message>
    <message id="Гипоцентральное расстояние вне допустимого диапазона (5-800 км.)">
        <source></source>
        <translation>Hypocentral distance out of the valid range (5-800 km)</translation>
    </message>
    <message id="Ошибка записи информации в БД. &#10;Изменения в списке контролируемых регионов запомнены не будут.">
        <source></source>
        <translation>Cannot write to the database. 
Changes to the list of monitored regions will not be saved.</translation>
    </message>
    <message id="Код расп.">
        <source></source>
        <translation>Loc. code</translation>
    </message>
    <message id="Вступление">
        <source></source>
        <translation>Onset</translation>
    </message>
    <message id="Невязка">
        <source></source>
        <translation>Residual</translation>
    </message>
    <message id="Амплитуда">
        <source></source>
        <translation>Amplitude</translation>
    </message>
    <message id="Период">
        <source></source>
        <translation>Period</translation>
    </message>
    <message id="Азимут">
        <source></source>
        <translation>Azimuth</translation>
    </message>
    <message id="Обр.Азим.">
        <source></source>
        <translation>Back azim.</translation>
    </message>
    <message id="Расст. до эпицентра(град.)">
        <source></source>
        <translation>Epic. distance (deg)</translation>
    </message>
    <message id="Класс">
        <source></source>
        <translation>Class</translation>
    </message>
    <message id="Выберите сейсмическую станцию">
        <source></source>
        <translation>Select a seismic station</translation>
    </message>
    <message id="Выберите канал">
        <source></source>
        <translation>Select a channel</translation>
    </message>
    <message id="Выберите фазу">
        <source></source>
        <translation>Select a phase</translation>
    </message>
    <message id="Введите правильную дату">
        <source></source>
        <translation>Enter a valid date</translation>
    </message>
    <message id="Введите правильное время">
        <source></source>
        <translation>Enter a valid time</translation>
    </message>
    <message id="Выбранная фаза уже существует">
        <source></source>
        <translation>The selected phase already exists</translation>
    </message>
    <message id="Нет файла регионов %1">
        <source></source>
        <translation>No region file %1</translation>
    </message>
    <message id="Неверный файл регионов %1: %2">
        <source></source>
        <translation>Invalid region file %1: %2</translation>
    </message>
    <message id="регион %1">
        <source></source>
        <translation>region %1</translation>
    </message>
    <message id="долгота %1">
        <source></source>
        <translation>longitude %1</translation>
    </message>
    <message id="не число">
        <source></source>
        <translation>not a number</translation>
    </message>
    <message id="%1 широт вместо 91">
        <source></source>
        <translation>%1 latitudes instead of 91</translation>
    </message>
    <message id="нет названий">
        <source></source>
        <translation>no names</translation>
    </message>
    <message id="нет региона %1">
        <source></source>
        <translation>no region %1</translation>
    </message>
    <message id="Нет данных годографа для фазы %1">
        <source></source>
        <translation>No travel-time data for phase %1</translation>
    </message>
    <message id="Нет отметки фазы %1">
        <source></source>
        <translation>No pick of phase %1</translation>
    </message>
    <message id="Время пробега=%1">
        <source></source>
        <translation>Travel time=%1</translation>
    </message>
    <message id="В системе отсутствует годограф %1">
        <source></source>
        <translation>No travel-time curve %1 in the system</translation>
    </message>
    <message id="Ошибка загрузки файла годографа %1">
        <source></source>
        <translation>Cannot load the travel-time file %1</translation>
    </message>
    <message id="Расстояние до эпицентра %1 градусов.&#10; Время в очаге %2 %3&#10; при глубине %4 км">
        <source></source>
        <translation>Epicentral distance %1 degrees.
 Origin time %2 %3
 at depth %4 km</translation>
    </message>
    <message id="Выберите индекс землетрясения из вторичной БД">
        <source></source>
        <translation>Select the event from the secondary database</translation>
    </message>
    <message id="Ошибка подключения к базе данных DSN=%1 (%2:***)&#10;%3">
        <source></source>
        <translation>Cannot connect to database DSN=%1 (%2:***)
%3</translation>
    </message>
    <message id="Добавить список  фаз из БД">
        <source></source>
        <translation>Add phase list from database</translation>
    </message>
    <message id="Загрузить список фаз из вторичной БД">
        <source></source>
        <translation>Load phase list from secondary database</translation>
    </message>
    <message id="*Добавить фазы из ARR_ALERT">
        <source></source>
        <translation>*Add phases from ARR_ALERT</translation>
    </message>
    <message id="*Добавить фазы из EventList">
        <source></source>
        <translation>*Add phases from EventList</translation>
    </message>
    <message id="Создать новую запись">
        <source></source>
        <translation>Create a new entry</translation>
    </message>
    <message id="Идентификатор">
        <source></source>
        <translation>Identifier</translation>
    </message>
    <message id="Загрузить REB">
        <source></source>
        <translation>Load REB</translation>
    </message>
    <message id="Сохранить список фаз">
        <source></source>
        <translation>Save phase list</translation>
    </message>
    <message id="Загрузить список фаз">
        <source></source>
        <translation>Load phase list</translation>
    </message>
    <message id="Дата записи">
        <source></source>
        <translation>Saved</translation>
    </message>
    <message id="Загружать все">
        <source></source>
        <translation>Load all</translation>
    </message>
    <message id="Создать">
        <source></source>
        <translation>Create</translation>
    </message>
    <message id="Загрузить">
        <source></source>
        <translation>Load</translation>
    </message>
    <message id="Загружать последние">
        <source></source>
        <translation>Load the latest</translation>
    </message>
    <message id="Идентификатор '%1' будет удален без возможности восстановления вместе со своим списком фаз.&#10;Нажмите кнопку 'Да' для подтверждения или 'Нет' для отказа от удаления">
        <source></source>
        <translation>Identifier &apos;%1&apos; will be deleted permanently together with its phase list.
Press &apos;Yes&apos; to confirm or &apos;No&apos; to cancel the deletion</translation>
    </message>
    <message id="Предупреждение">
        <source></source>
        <translation>Warning</translation>
    </message>
    <message id="Источник данных (DSN)">
        <source></source>
        <translation>Data source (DSN)</translation>
    </message>
    <message id="Пользователь">
        <source></source>
        <translation>User</translation>
    </message>
    <message id="Пароль">
        <source></source>
        <translation>Password</translation>
    </message>
    <message id="Необходимо &gt; 2 P-фаз">
        <source></source>
        <translation>More than 2 P phases are needed</translation>
    </message>
    <message id="Дистанция и азимут">
        <source></source>
        <translation>Distance and azimuth</translation>
    </message>
    <message id="Дистанция">
        <source></source>
        <translation>Distance</translation>
    </message>
    <message id="Обратный азимут">
        <source></source>
        <translation>Back azimuth</translation>
    </message>
    <message id="Исходная точка">
        <source></source>
        <translation>Start point</translation>
    </message>
    <message id="Конечная точка">
        <source></source>
        <translation>End point</translation>
    </message>
    <message id="Редактировать параметры региона">
        <source></source>
        <translation>Edit region parameters</translation>
    </message>
    <message id="Широта 1">
        <source></source>
        <translation>Latitude 1</translation>
    </message>
    <message id="Долгота 1">
        <source></source>
        <translation>Longitude 1</translation>
    </message>
    <message id="Широта 2">
        <source></source>
        <translation>Latitude 2</translation>
    </message>
    <message id="Долгота 2">
        <source></source>
        <translation>Longitude 2</translation>
    </message>
    <message id="Название региона">
        <source></source>
        <translation>Region name</translation>
    </message>
    <message id="Регион уже существует! Выберите другое имя.">
        <source></source>
        <translation>The region already exists! Choose another name.</translation>
    </message>
    <message id="Редактирование списка контролируемых регионов">
        <source></source>
        <translation>Edit the list of monitored regions</translation>
    </message>
    <message id="Регион">
        <source></source>
        <translation>Region</translation>
    </message>
    <message id="Редактировать">
        <source></source>
        <translation>Edit</translation>
    </message>
    <message id="Добавить">
        <source></source>
        <translation>Add</translation>
    </message>
    <message id="Выберите станцию">
        <source></source>
        <translation>Select a station</translation>
    </message>
    <message id="Станции">
        <source></source>
        <translation>Stations</translation>
    </message>
    <message id="Результат расчета">
        <source></source>
        <translation>Result</translation>
    </message>
    <message id="Медленность (с/град)">
        <source></source>
        <translation>Slowness (s/deg)</translation>
    </message>
    <message id="Скорость распространения волны (км/с)">
        <source></source>
        <translation>Apparent velocity (km/s)</translation>
    </message>
    <message id="RMS (с)">
        <source></source>
        <translation>RMS (s)</translation>
    </message>
    <message id="Найти">
        <source></source>
        <translation>Find</translation>
    </message>
    <message id="Разность, с">
        <source></source>
        <translation>Difference, s</translation>
    </message>
    <message id="С">
        <source></source>
        <translation>From</translation>
    </message>
    <message id="Поиск стартовой точки">
        <source></source>
        <translation>Searching for the starting point</translation>
    </message>
    <message id="Введите стартовую точку для расчета">
        <source></source>
        <translation>Enter the starting point of the location</translation>
    </message>
    <message id="Оценка стартовой точки методом полного перебора">
        <source></source>
        <translation>Estimate the starting point by grid search</translation>
    </message>
    <message id="Фиксация глубины">
        <source></source>
        <translation>Fixed depth</translation>
    </message>
    <message id="Фиксация координат (оценка невязок)">
        <source></source>
        <translation>Fixed epicentre (residuals only)</translation>
    </message>
    <message id="Копировать">
        <source></source>
        <translation>Copy</translation>
    </message>
    <message id="Запомнить в БД">
        <source></source>
        <translation>Store in database</translation>
    </message>
    <message id="Эллипс ошибок">
        <source></source>
        <translation>Error ellipse</translation>
    </message>
    <message id="Большая ось(км)">
        <source></source>
        <translation>Major axis (km)</translation>
    </message>
    <message id="Меньшая ось(км)">
        <source></source>
        <translation>Minor axis (km)</translation>
    </message>
    <message id="Направление большей оси (град.)">
        <source></source>
        <translation>Major axis azimuth (deg)</translation>
    </message>
    <message id="Сейсм. регион">
        <source></source>
        <translation>Seismic region</translation>
    </message>
    <message id="Геогр.  регион">
        <source></source>
        <translation>Geographic region</translation>
    </message>
    <message id="Запуск LOQ">
        <source></source>
        <translation>Run LOQ</translation>
    </message>
    <message id="Запустить">
        <source></source>
        <translation>Run</translation>
    </message>
    <message id="Каталог LOQ">
        <source></source>
        <translation>LOQ directory</translation>
    </message>
    <message id="Номер землетрясения">
        <source></source>
        <translation>Event number</translation>
    </message>
    <message id="Не удалось запустить %1">
        <source></source>
        <translation>Cannot start %1</translation>
    </message>
    <message id="%1 не завершился за %2 с и был остановлен">
        <source></source>
        <translation>%1 did not finish within %2 s and was stopped</translation>
    </message>
    <message id="%1 завершился аварийно">
        <source></source>
        <translation>%1 crashed</translation>
    </message>
    <message id="%1 завершился с кодом %2">
        <source></source>
        <translation>%1 exited with code %2</translation>
    </message>
    <message id="Нет отметки фазы '%1'">
        <source></source>
        <translation>No pick of phase &apos;%1&apos;</translation>
    </message>
    <message id="Нет отметки фазы Pg">
        <source></source>
        <translation>No Pg pick</translation>
    </message>
    <message id="Нет замера амплитуды для фазы Pg">
        <source></source>
        <translation>No amplitude measured for Pg</translation>
    </message>
    <message id="Нет отметки фазы Sg">
        <source></source>
        <translation>No Sg pick</translation>
    </message>
    <message id="Параметры для вычисления класса находятся вне допустимых пределов">
        <source></source>
        <translation>The parameters for the energy class are out of the valid range</translation>
    </message>
    <message id="Класс для станции %1 = %2">
        <source></source>
        <translation>Energy class for station %1 = %2</translation>
    </message>
    <message id="Отсутствуют замеры амплитуды для фаз группы P">
        <source></source>
        <translation>No amplitudes measured for P-group phases</translation>
    </message>
    <message id="Отсутствуют замеры амплитуды для фаз группы S">
        <source></source>
        <translation>No amplitudes measured for S-group phases</translation>
    </message>
    <message id="Нет оценки расстояния от станции %1  до эпицентра">
        <source></source>
        <translation>No epicentral distance estimate for station %1</translation>
    </message>
    <message id="Магнитуда Ms">
        <source></source>
        <translation>Magnitude Ms</translation>
    </message>
    <message id="Магнитуда Mb">
        <source></source>
        <translation>Magnitude Mb</translation>
    </message>
    <message id="Магнитуда MPLP">
        <source></source>
        <translation>Magnitude MPLP</translation>
    </message>
    <message id="Магнитуда MPSP">
        <source></source>
        <translation>Magnitude MPSP</translation>
    </message>
    <message id="Магнитуда по коде">
        <source></source>
        <translation>Coda magnitude</translation>
    </message>
    <message id="Локальная магнитуда ML">
        <source></source>
        <translation>Local magnitude ML</translation>
    </message>
    <message id="Результат расчета периода и амплитуды">
        <source></source>
        <translation>Period and amplitude measurement</translation>
    </message>
    <message id="Станция:">
        <source></source>
        <translation>Station:</translation>
    </message>
    <message id="Амплитуда (мкм):">
        <source></source>
        <translation>Amplitude (µm):</translation>
    </message>
    <message id="Период (с):">
        <source></source>
        <translation>Period (s):</translation>
    </message>
    <message id="Расстояние (град.):">
        <source></source>
        <translation>Distance (deg):</translation>
    </message>
    <message id="Глубина (км):">
        <source></source>
        <translation>Depth (km):</translation>
    </message>
    <message id="АЧХ:">
        <source></source>
        <translation>Response:</translation>
    </message>
    <message id="Фильтр:">
        <source></source>
        <translation>Filter:</translation>
    </message>
    <message id="Время замера:">
        <source></source>
        <translation>Measurement time:</translation>
    </message>
    <message id="Длительность коды (10-1000 с) или амплитуда (0.002-3000 мкм) вне допустимых пределов.&#10;Магнитуда по коде не рассчитана.">
        <source></source>
        <translation>Coda duration (10-1000 s) or amplitude (0.002-3000 µm) out of the valid range.
Coda magnitude not computed.</translation>
    </message>
    <message id="Расстояние должно быть от 0 до 180 градусов">
        <source></source>
        <translation>The distance must be from 0 to 180 degrees</translation>
    </message>
    <message id="Глубина должна быть от 0 до 800 км">
        <source></source>
        <translation>The depth must be from 0 to 800 km</translation>
    </message>
    <message id="Значение">
        <source></source>
        <translation>Value</translation>
    </message>
    <message id="Энергетический класс">
        <source></source>
        <translation>Energy class</translation>
    </message>
    <message id="Расстояние (км)">
        <source></source>
        <translation>Distance (km)</translation>
    </message>
    <message id="Глубина (км)">
        <source></source>
        <translation>Depth (km)</translation>
    </message>
    <message id="Ap(мкм)">
        <source></source>
        <translation>Ap (µm)</translation>
    </message>
    <message id="As(мкм)">
        <source></source>
        <translation>As (µm)</translation>
    </message>
    <message id="Класс (Раутиан по ВЭГИК)">
        <source></source>
        <translation>Class (Rautian, VEGIK)</translation>
    </message>
    <message id="Класс (Раутиан по CKM)">
        <source></source>
        <translation>Class (Rautian, SKM)</translation>
    </message>
    <message id="Вставить фазу">
        <source></source>
        <translation>Insert phase</translation>
    </message>
    <message id="Первое вступление">
        <source></source>
        <translation>First motion</translation>
    </message>
    <message id="Вес">
        <source></source>
        <translation>Weight</translation>
    </message>
    <message id="Вставить">
        <source></source>
        <translation>Insert</translation>
    </message>
    <message id="Время ч:м:с.дс">
        <source></source>
        <translation>Time h:m:s.ds</translation>
    </message>
    <message id="Дата дд-мм-гг">
        <source></source>
        <translation>Date dd-mm-yy</translation>
    </message>
    <message id="Редактирование фазы">
        <source></source>
        <translation>Edit phase</translation>
    </message>
    <message id="Примечание">
        <source></source>
        <translation>Remark</translation>
    </message>
    <message id="Нет фаз с невязками для текущего гипоцентра">
        <source></source>
        <translation>No phases with residuals for the current hypocentre</translation>
    </message>
    <message id="Список обработанных событий">
        <source></source>
        <translation>Processed events</translation>
    </message>
    <message id="Годограф. Расчет времени пробега фазы.">
        <source></source>
        <translation>Travel time of a phase</translation>
    </message>
    <message id="Расстояние (град.)">
        <source></source>
        <translation>Distance (deg)</translation>
    </message>
    <message id="Оценка расстояния до эпицентра">
        <source></source>
        <translation>Epicentral distance estimate</translation>
    </message>
    <message id="Оценить расстояние от станции">
        <source></source>
        <translation>Estimate the distance from station</translation>
    </message>
    <message id="до эпицентра по времени прихода">
        <source></source>
        <translation>to the epicentre from the arrival times</translation>
    </message>
    <message id="фаз">
        <source></source>
        <translation>of phases</translation>
    </message>
    <message id="и">
        <source></source>
        <translation>and</translation>
    </message>
    <message id="при глубине">
        <source></source>
        <translation>at depth</translation>
    </message>
    <message id="км.">
        <source></source>
        <translation>km</translation>
    </message>
    <message id="Расставить фазы">
        <source></source>
        <translation>Place phases</translation>
    </message>
    <message id="Телесейсмический">
        <source></source>
        <translation>Teleseismic</translation>
    </message>
    <message id="Региональный">
        <source></source>
        <translation>Regional</translation>
    </message>
    <message id="Локальный">
        <source></source>
        <translation>Local</translation>
    </message>
    <message id="Чистый">
        <source></source>
        <translation>Clear</translation>
    </message>
    <message id="Относительно времени в очаге">
        <source></source>
        <translation>From the origin time</translation>
    </message>
    <message id="Относительно фазы">
        <source></source>
        <translation>From a phase</translation>
    </message>
    <message id="Относительно фазы и времени в очаге">
        <source></source>
        <translation>From a phase and the origin time</translation>
    </message>
    <message id="Загрузить текущие параметры эпицентра">
        <source></source>
        <translation>Load the current hypocentre</translation>
    </message>
    <message id="Опорная фаза">
        <source></source>
        <translation>Reference phase</translation>
    </message>
    <message id="Набор фаз">
        <source></source>
        <translation>Phase set</translation>
    </message>
    <message id="Фазы через ';'">
        <source></source>
        <translation>Phases separated by &apos;;&apos;</translation>
    </message>
    <message id="Не удалось определить домашний каталог пользователя (переменная HOME не задана)">
        <source></source>
        <translation>Cannot determine the user&apos;s home directory (HOME is not set)</translation>
    </message>
    <message id="Ошибка записи файла wfdisc">
        <source></source>
        <translation>Error writing the wfdisc file</translation>
    </message>
    <message id="Блок без частоты дискретизации нельзя записать в MiniSEED">
        <source></source>
        <translation>A block without a sampling rate cannot be written to MiniSEED</translation>
    </message>
    <message id="Недостаточно памяти для записи MiniSEED">
        <source></source>
        <translation>Not enough memory to write MiniSEED</translation>
    </message>
    <message id="Ошибка упаковки данных MiniSEED">
        <source></source>
        <translation>Error packing MiniSEED data</translation>
    </message>
    <message id="Коды станции и канала не могут содержать переводов строки">
        <source></source>
        <translation>Station and channel codes cannot contain line breaks</translation>
    </message>
    <message id="Неверные время, длительность или частота для заголовка файла">
        <source></source>
        <translation>Invalid time, duration or sampling rate for the file header</translation>
    </message>
    <message id="Неверная частота для заголовка файла">
        <source></source>
        <translation>Invalid sampling rate for the file header</translation>
    </message>
    <message id="Коды станции и канала слишком длинны для заголовка файла">
        <source></source>
        <translation>Station and channel codes are too long for the file header</translation>
    </message>
    <message id="Zero Divide">
        <source></source>
        <translation>Division by zero</translation>
    </message>
    <message id="Неверное время начала демонстрационных данных">
        <source></source>
        <translation>Invalid start time of the demo data</translation>
    </message>
    <message id="Неверная длительность демонстрационных данных">
        <source></source>
        <translation>Invalid duration of the demo data</translation>
    </message>
    <message id="Расстояние вне таблицы калибровки ML">
        <source></source>
        <translation>Distance outside the ML calibration table</translation>
    </message>
    <message id="Расстояние или глубина вне таблицы калибровки mb">
        <source></source>
        <translation>Distance or depth outside the mb calibration table</translation>
    </message>
    <message id="Нет значения калибровки mb для этого расстояния и глубины">
        <source></source>
        <translation>No mb calibration value for this distance and depth</translation>
    </message>
    <message id="Не задан файл АЧХ канала">
        <source></source>
        <translation>No amplitude response file is set for the channel</translation>
    </message>
    <message id="Нет данных для симуляции">
        <source></source>
        <translation>No data to simulate</translation>
    </message>
    <message id="Окно детектора слишком длинное для частоты дискретизации">
        <source></source>
        <translation>Detector window is too long for the sampling rate</translation>
    </message>
    <message id="Нет данных в окне">
        <source></source>
        <translation>No data in the window</translation>
    </message>
    <message id="Пустой файл гипоцентра">
        <source></source>
        <translation>Empty hypocentre file</translation>
    </message>
    <message id="Фазы совпадают">
        <source></source>
        <translation>The phases are the same</translation>
    </message>
    <message id="Нет решения">
        <source></source>
        <translation>No solution</translation>
    </message>
    <message id="a formula needs the panes it reads">
        <source></source>
        <translation>a formula needs the panes it reads</translation>
    </message>
    <message id="the formula's result has no sample interval">
        <source></source>
        <translation>the formula&apos;s result has no sample interval</translation>
    </message>
    <message id="Слишком короткий интервал для оценки амплитуды и периода">
        <source></source>
        <translation>Interval too short to measure amplitude and period</translation>
    </message>
    <message id="Оценка амплитуды и периода производится только по фильтрованным данным">
        <source></source>
        <translation>Amplitude and period are measured on filtered data only</translation>
    </message>
    <message id="Интервал вне пределов активного окна">
        <source></source>
        <translation>Interval outside the active pane</translation>
    </message>
    <message id="Неизвестна частота дискретизации канала">
        <source></source>
        <translation>Channel sample rate unknown</translation>
    </message>
    <message id="Значение АЧХ канала на этом периоде равно 0">
        <source></source>
        <translation>Channel amplitude response is 0 at this period</translation>
    </message>
    <message id="Коэффициент усиления сегмента равен 0">
        <source></source>
        <translation>Segment gain is 0</translation>
    </message>
    <message id="Введите имя списка каналов">
        <source></source>
        <translation>Enter a channel list name</translation>
    </message>
    <message id="Имя списка каналов не может содержать \, [, ] и управляющие символы">
        <source></source>
        <translation>A channel list name cannot contain \, [, ] or control characters</translation>
    </message>
    <message id="Имя фильтра длиннее 128 символов">
        <source></source>
        <translation>Filter name longer than 128 characters</translation>
    </message>
    <message id="Имя фильтра не может содержать символы \ [ ] и переводы строк">
        <source></source>
        <translation>A filter name cannot contain the characters \ [ ] or line breaks</translation>
    </message>
    <message id="Фильтр типа SPWWSS не поддерживается: выберите другой тип фильтра">
        <source></source>
        <translation>SPWWSS filter type not supported: choose another filter type</translation>
    </message>
    <message id="Неверный код вступления">
        <source></source>
        <translation>Invalid onset code</translation>
    </message>
    <message id="Время отметки вне допустимого диапазона">
        <source></source>
        <translation>Pick time out of range</translation>
    </message>
    <message id="Каналы имеют разную частоту квантования">
        <source></source>
        <translation>The channels have different sample rates</translation>
    </message>
    <message id="Ошибка данных">
        <source></source>
        <translation>Data error</translation>
    </message>
    <message id="Для активных каналов не известны координаты станций">
        <source></source>
        <translation>Station coordinates unknown for the active channels</translation>
    </message>
</context>
</TS>
