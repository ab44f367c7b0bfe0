#include "db/Schema.h"

#include "db/Odbc.h"

namespace zel {
namespace {

ColumnDef Real(const char* name) { return {name, ColumnType::Real}; }
ColumnDef Int(const char* name) { return {name, ColumnType::Int}; }
ColumnDef BigInt(const char* name) { return {name, ColumnType::BigInt}; }
ColumnDef Date(const char* name) { return {name, ColumnType::Date}; }
ColumnDef Stamp(const char* name) { return {name, ColumnType::Timestamp}; }
ColumnDef Text(const char* name, int length) { return {name, ColumnType::Text, length}; }

std::vector<std::string> LastIdSeed() {
    std::vector<std::string> rows;
    for (const char* key : {"arid", "orid", "commid", "magid", "ampid"})
        rows.push_back(std::string("insert into LASTID (KEYNAME, KEYVALUE) values ('") + key + "', 0)");
    return rows;
}

}  // namespace

std::string TypeWord(const ColumnDef& column, DbDialect dialect) {
    switch (column.type) {
        case ColumnType::Real:
            return RealTypeWord(dialect);
        case ColumnType::Int:
            return "INT";
        // Byte offsets past 2 GiB need 64 bits.
        case ColumnType::BigInt:
            return "BIGINT";
        case ColumnType::Date:
            return DateTypeWord(dialect);
        case ColumnType::Timestamp:
            return dialect == kDialectSqlServer ? "DATETIME" : "TIMESTAMP";
        case ColumnType::Text:
            return "VARCHAR(" + std::to_string(column.length) + ")";
    }
    return "VARCHAR(255)";
}

const std::vector<UpgradeRow>& UpgradeColumns() {
    static const std::vector<UpgradeRow> rows = {
        {"FILELIST", Text("LCODE", 8)},
        {"FILELIST", Real("CALPER")},
        {"FILELIST", Real("CALIB")},
        {"FILELIST", BigInt("FOFF")},
        {"FILELIST", Real("TEND")},
        {"SITE", Int("NINDEX")},
        {"SITE", Text("COD", 6)},
        {"SITE", Text("STATYPE", 50)},
        {"SITE", Text("STANAME", 50)},
        {"SITE", Text("UNDERGROUND", 250)},
        {"SITE", Date("ONDATE")},
        {"SITE", Date("OFFDATE")},
        {"SITE", Text("REFSTA", 16)},
        {"SITE", Real("DNORTH")},
        {"SITE", Real("DEAST")},
        {"SITECHAN", Text("LCODE", 8)},
        {"ORIGIN", Text("COMMENTS", 255)},
        {"ORIGIN", Int("ORID")},
        {"ORIGIN", Real("MB")},
        {"ORIGIN", Real("MBUNC")},
        {"ORIGIN", Real("MS")},
        {"ORIGIN", Real("MSUNC")},
        {"ARRIVAL", Int("ARID")},
        {"ARRIVAL", Real("DIST")},
        {"ARRIVAL", Real("MB")},
        {"ARRIVAL", Real("CODA")},
        {"ARRIVAL", Real("MS")},
        {"ARRIVAL", Real("AMPTIME")},
        {"ARRIVAL", Real("REGCLASS")},
        {"ARRIVAL", Real("MCODA")},
        {"ARRIVAL", Real("MPSP")},
        {"ARRIVAL", Real("MPLP")},
        {"ARRIVAL", Text("CHANTYPE", 4)},
        {"ARRIVAL", Text("REMARK", 128)},
        {"ARRIVAL", Text("AFILTYPE", 128)},
        {"ARRIVAL", Text("PFILTYPE", 128)},
        {"ARRIVAL", Real("ML")},
    };
    return rows;
}

const std::vector<TableDef>& WorkingSchema() {
    static const std::vector<TableDef> tables = {
        {"LASTID", {Text("KEYNAME", 255), BigInt("KEYVALUE")}, LastIdSeed()},
        {"FILELIST",
         {Text("STA", 32), Real("SPS"), Int("GAIN"), Text("CPATH", 1024), Int("DATATYPE"), Text("CH", 16),
          Text("CREATER", 64), Stamp("LDDATE"), Real("TBEGIN"), Real("TQTY"), Real("TEND"), Real("CALIB"),
          Real("CALPER"), BigInt("FOFF"), Text("LCODE", 8)},
         // A year of files is a few hundred thousand rows: window queries must not scan them all.
         {"create index FILELIST_STA_CH_TBEGIN on FILELIST (STA, CH, TBEGIN)"}},
        // Every file a MiniSEED archive scan looked at, so the next scan reads only new or changed ones.
        {"ARCHIVEFILES",
         {Text("CPATH", 1024), BigInt("FSIZE"), BigInt("MTIME"), Stamp("LDDATE")},
         {"create index ARCHIVEFILES_CPATH on ARCHIVEFILES (CPATH)"}},
        {"SITE",
         {Text("STA", 32), Real("LAT"), Real("LON"), Real("ELEV"), Int("NGROUPS"), Text("DESCR", 255),
          Stamp("LDDATE"), Int("NINDEX"), Text("COD", 6), Text("STATYPE", 50), Text("STANAME", 50),
          Text("UNDERGROUND", 250), Date("ONDATE"), Date("OFFDATE"), Text("REFSTA", 16), Real("DNORTH"),
          Real("DEAST")},
         {}},
        {"SITECHAN",
         {Text("STA", 32), Text("CHAN", 16), Real("SPS"), Int("NGROUP"), Int("CHANINDEX"), Real("LAT"),
          Real("LON"), Real("EDEPH"), Text("CALIBFILE", 255), Text("DESCR", 255), Real("HANG"), Real("VANG"),
          Stamp("LDDATE"), Text("LCODE", 8)},
         {}},
        {"NETWORKS", {Text("NETNAME", 100), Text("NETLIST", 5000), Text("NETTYPE", 32), Stamp("LDDATE")}, {}},
        // Detections of the detector and of the acquisition system, shown as marks on the panes.
        {"EVENTLIST",
         {Text("STA", 32), Real("TBEGIN"), Int("EVENT_TYPE"), Stamp("LDDATE")},
         {"create index EVENTLIST_STA_TBEGIN on EVENTLIST (STA, TBEGIN)"}},
        {"ORIGIN",
         {Text("EVENTID", 255), Real("LAT"), Real("LON"), Real("DEPTH"), Real("ORIGINTIME"), Real("RMS"),
          Real("DH"), Real("DZ"), Real("MB"), Real("MS"), Real("MBUNC"), Real("MSUNC"), Stamp("LDDATE"),
          Text("COMMENTS", 255), Int("ORID")},
         {}},
        {"ARRIVAL",
         {Text("EVENTID", 255),  Int("NUMB"),         Text("STA", 32),     Text("CHAN", 16),
          Text("IPHASE", 16),    Real("ITIME"),       Real("DELTIM"),      Real("AZIMUTH"),
          Real("SLOW"),          Real("EMA"),         Real("RECT"),        Text("FM", 2),
          Text("IM_EM", 2),      Real("PER"),         Real("RESIDUALS"),   Real("AMPL"),
          Stamp("LDDATE"),       Int("WGT"),          Int("FLAG"),         Int("ARID"),
          Real("DIST"),          Real("MS"),          Real("MB"),          Real("MPLP"),
          Real("MPSP"),          Real("AMPTIME"),     Real("CODA"),        Real("REGCLASS"),
          Real("MCODA"),         Text("CHANTYPE", 4), Text("REMARK", 128), Text("AFILTYPE", 128),
          Text("PFILTYPE", 128), Real("ML")},
         {}},
        // Instrument responses: SAC poles-zeros text or a frequency-amplitude table per channel and epoch.
        {"CALIBRATION",
         {Text("STA", 32), Text("CHAN", 16), Text("NETWORK", 16), Text("LOCATION", 8), Stamp("STARTDATE"),
          Stamp("ENDDATE"), Text("SAC", 65535), Text("FAP", 65535), Stamp("LDDATE")},
         {"create index CALIBRATION_STA_CHAN on CALIBRATION (STA, CHAN)"}},
        // Monitored regions the map draws: two opposite corners of a latitude-longitude rectangle.
        {"CONTREG", {Text("NAME", 100), Real("LAT1"), Real("LON1"), Real("LAT2"), Real("LON2")}, {}},
        // Flinn-Engdahl regions: geographic and seismic names (English and Russian) and the map
        // of one-degree latitude bands cut into longitude intervals that names an epicentre.
        {"GREGION", {Int("grn"), Text("grname", 80), Text("grname_r", 80)}, {}},
        {"SREGION", {Int("srn"), Text("srname", 80), Text("srname_r", 80)}, {}},
        {"REGION_MAP",
         {Int("lat"), Int("lon1"), Int("lon2"), Int("grn"), Int("srn")},
         {"create index REGION_MAP_LAT on REGION_MAP (lat)"}},
    };
    return tables;
}

const std::vector<TableDef>& CssSchema() {
    static const std::vector<TableDef> tables = {
        {"LASTID", {Text("KEYNAME", 255), BigInt("KEYVALUE"), Stamp("LDDATE")}, LastIdSeed()},
        // The CSS 3.0 waveform index; segments are looked up by station and time.
        {"wfdisc",
         {Text("sta", 6),  Text("chan", 8),    Real("time"),       Int("wfid"),         Int("chanid"),
          Int("jdate"),    Real("endtime"),    Int("nsamp"),       Real("samprate"),    Real("calib"),
          Real("calper"),  Text("instype", 6), Text("segtype", 1), Text("datatype", 2), Text("clip", 1),
          Text("dir", 64), Text("dfile", 32),  BigInt("foff"),     Int("commid"),       Stamp("lddate")},
         {"create index wfdisc_sta_time on wfdisc (sta, time)"}},
        // CSS 3.0 events: origins, their arrivals and the associations between them.
        {"origin",
         {Real("lat"),      Real("lon"),
          Real("depth"),    Real("time"),
          Int("orid"),      Int("evid"),
          Int("jdate"),     Int("nass"),
          Int("ndef"),      Int("ndp"),
          Int("grn"),       Int("srn"),
          Text("etype", 7), Real("depdp"),
          Text("dtype", 1), Real("mb"),
          Int("mbid"),      Real("ms"),
          Int("msid"),      Real("ml"),
          Int("mlid"),      Text("algorithm", 15),
          Text("auth", 15), Int("commid"),
          Stamp("lddate")},
         {"create index origin_orid on origin (orid)"}},
        {"arrival",
         {Text("sta", 6),  Real("time"),    Int("arid"),       Int("jdate"),     Int("stassid"),
          Int("chanid"),   Text("chan", 8), Text("iphase", 8), Text("stype", 1), Real("deltim"),
          Real("azimuth"), Real("delaz"),   Real("slow"),      Real("delslo"),   Real("ema"),
          Real("rect"),    Real("amp"),     Real("per"),       Real("logat"),    Text("clip", 1),
          Text("fm", 2),   Real("snr"),     Text("qual", 1),   Text("auth", 15), Int("commid"),
          Stamp("lddate")},
         {"create index arrival_arid on arrival (arid)"}},
        {"assoc",
         {Int("arid"), Int("orid"), Text("sta", 6), Text("phase", 8), Real("belief"), Real("delta"),
          Real("seaz"), Real("esaz"), Real("timeres"), Text("timedef", 1), Real("azres"), Text("azdef", 1),
          Real("slores"), Text("slodef", 1), Real("emares"), Real("wgt"), Text("vmodel", 15), Int("commid"),
          Stamp("lddate")},
         {"create index assoc_orid on assoc (orid)"}},
        // Station magnitudes, measured amplitudes and free-text comments of the CSS events.
        {"stamag",
         {Int("magid"), Int("ampid"), Text("sta", 6), Int("arid"), Int("orid"), Int("evid"), Text("phase", 8),
          Real("delta"), Text("magtype", 6), Real("magnitude"), Real("uncertainty"), Real("magres"),
          Text("magdef", 1), Text("mmodel", 15), Text("auth", 15), Int("commid"), Stamp("lddate")},
         {"create index stamag_arid on stamag (arid)"}},
        {"amplitude",
         {Int("ampid"), Int("arid"), Int("parid"), Text("chan", 8), Real("amp"), Real("per"), Real("snr"),
          Real("amptime"), Real("start_time"), Real("duration"), Real("bandw"), Text("amptype", 8),
          Text("units", 15), Text("clip", 1), Text("inarrival", 1), Text("auth", 15), Stamp("lddate")},
         {"create index amplitude_arid on amplitude (arid)"}},
        {"remark",
         {Int("commid"), Int("lineno"), Text("remark", 80), Stamp("lddate")},
         {"create index remark_commid on remark (commid)"}},
        // Detections of the automatic system, offered as picks.
        {"ALERT",
         {Text("sta", 6), Real("time"), Text("phase", 8), Real("azimuth"), Real("slow"), Stamp("lddate")},
         {"create index ALERT_time on ALERT (time)"}},
    };
    return tables;
}

std::string CreateTableStatement(const TableDef& table, DbDialect dialect) {
    std::string sql = "create table " + table.name + " (";
    for (size_t i = 0; i < table.columns.size(); ++i) {
        if (i) sql += ", ";
        sql += table.columns[i].name + " " + TypeWord(table.columns[i], dialect);
    }
    return sql + ")";
}

bool TableExists(Db::Connection& connection, const std::string& table) {
    Db::Statement probe(connection);
    return probe.tryExecute("select * from " + table + " where 1=0");
}

std::vector<std::string> CreateMissingTables(Db::Connection& connection, DbDialect dialect,
                                             const std::vector<TableDef>& schema) {
    std::vector<std::string> created;
    for (const TableDef& table : schema) {
        if (TableExists(connection, table.name)) continue;
        // A table and its seed rows appear together or not at all.
        Db::Transaction transaction(connection);
        connection.execute(CreateTableStatement(table, dialect));
        for (const std::string& statement : table.afterCreate) connection.execute(statement);
        transaction.commit();
        created.push_back(table.name);
    }
    return created;
}

}  // namespace zel
