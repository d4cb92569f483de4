#include "Company.h"

#include "data/Schema.h"
#include "data/TableFileWriter.h"
#include "platform/TextFile.h"
#include "shell/EncodePassword.h"
#include "shell/Settings.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVariantMap>
#include <algorithm>
#include <cmath>

namespace company {

namespace {

using core::TDateTime;

QString dataPath(const QString& dir) {
    return QDir(dir).filePath(DataFolderName);
}

void ensureFolder(const QString& path) {
    if (!QDir().mkpath(path))
        throw ToolError(QStringLiteral("No se pudo crear la carpeta \"%1\".").arg(path));
}

void copyHelp(const QString& dir) {
    const QString folder = QDir(dir).filePath(QStringLiteral("m3Help"));
    ensureFolder(folder);
    const QString target = QDir(folder).filePath(QStringLiteral("Monvela.html"));
    QFile::remove(target);
    if (!QFile::copy(QStringLiteral(":/m3Help/Monvela.html"), target))
        throw ToolError(QStringLiteral("No se pudo copiar la ayuda a \"%1\".").arg(target));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    // The pictures the page shows, beside it.
    const QDir pictures(QStringLiteral(":/m3Help/img"));
    if (pictures.isEmpty())
        return;
    const QString pictureFolder = QDir(folder).filePath(QStringLiteral("img"));
    ensureFolder(pictureFolder);
    for (const QString& name : pictures.entryList(QDir::Files)) {
        const QString picture = QDir(pictureFolder).filePath(name);
        QFile::remove(picture);
        if (!QFile::copy(pictures.filePath(name), picture))
            throw ToolError(QStringLiteral("No se pudo copiar la ayuda a \"%1\".").arg(picture));
        QFile::setPermissions(picture, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                           QFile::ReadOther);
    }
}

void writeCompanyData(const QString& dir, const QStringList& lines) {
    QString error;
    const QString path = QDir(dataPath(dir)).filePath(QStringLiteral("Datos.txt"));
    if (!platform::textfile::writeLines(path, lines, &error))
        throw ToolError(QStringLiteral("No se pudo escribir \"%1\": %2").arg(path, error));
}

// Lays out the folders and every table, empty, with the company row.
void layOut(const QString& dir, const QString& address) {
    ensureFolder(dir);
    ensureFolder(dataPath(dir));
    ensureFolder(QDir(dir).filePath(ReportsFolderName));
    ensureFolder(QDir(dataPath(dir)).filePath(QStringLiteral("ICONOS")));

    data::schema::createTableFile(dir, data::schema::Empresas);
    data::TableFileWriter empresas(dir, data::schema::Empresas);
    empresas.insert({{QStringLiteral("FE_NOMBRE"), QStringLiteral("Empresa 001")},
                     {QStringLiteral("FE_DIRDATOS"), DataFolderName},
                     {QStringLiteral("FE_DIRREPORTES"), ReportsFolderName},
                     {QStringLiteral("FE_DIRECCION1"), address}});

    for (const QString& table : data::schema::companyTables())
        data::schema::createTableFile(dataPath(dir), table);

    writeNoticeSound(QDir(dataPath(dir)).filePath(QStringLiteral("ICONOS/notify.wav")));
    copyHelp(dir);
}

void insertUser(const QString& dir, const QString& name, const QString& password, bool access) {
    data::TableFileWriter users(dataPath(dir), data::schema::Usuarios);
    users.insert({{QStringLiteral("Nombre"), name},
                  {QStringLiteral("CLAVE"), shell::EncodePassword(password)},
                  {QStringLiteral("AccesoProduc"), access}});
}

struct Installment {
    int days;         // from today
    int hour, minute; // time of day from which it is announced
    double amount;
    bool paid;
};

// One pending bank transaction with its installments; the last installment of
// a fixed transaction carries the period code.
void addTransaction(data::TableFileWriter& trans, data::TableFileWriter& giros, TDateTime today,
                    const QString& account, const QString& bank, const QString& beneficiary,
                    const QString& description, int period, int kind,
                    const QList<Installment>& installments) {
    double total = 0;
    for (const Installment& i : installments)
        total += i.amount;
    const qint64 key = trans.insert({{QStringLiteral("FTP_NROCUENTA"), account},
                                     {QStringLiteral("FTP_BANCO"), bank},
                                     {QStringLiteral("FTP_BENEFICIARIO"), beneficiary},
                                     {QStringLiteral("FTP_DESCRIPCION"), description},
                                     {QStringLiteral("FTP_MONTO"), total},
                                     {QStringLiteral("FTP_NROGIROS"), installments.size()}});
    int number = 0;
    for (const Installment& i : installments) {
        ++number;
        QVariantMap row{
            {QStringLiteral("FGP_KEYTRANSACCION"), key},
            {QStringLiteral("FGP_GIRO"), number},
            {QStringLiteral("FGP_FECHAGIRO"), today + i.days},
            {QStringLiteral("FGP_HORAGIRO"), core::dt::encodeTime(i.hour, i.minute)},
            {QStringLiteral("FGP_MONTOGIRO"), i.amount},
            {QStringLiteral("FGP_STATUS"), i.paid},
            {QStringLiteral("FGP_PERIODOFIJO"), number == installments.size() ? period : 0},
            {QStringLiteral("FGP_TIPOTRANS"), kind}};
        if (i.paid)
            row.insert(QStringLiteral("FGP_FECHAPAGADO"), today + i.days);
        giros.insert(row);
    }
}

struct Party {
    QString code, name, phone, address;
    bool active;
};

struct Document {
    QString code, number;
    int type;
    double balance;
    int issuedDaysAgo, dueDays;
    QString description;
};

void addParties(const QString& folder, const QString& table, const QString& prefix,
                const QList<Party>& parties) {
    data::TableFileWriter writer(folder, table);
    for (const Party& p : parties)
        writer.insert({{prefix + QStringLiteral("_CODIGO"), p.code},
                       {prefix + QStringLiteral("_DESCRIPCION"), p.name},
                       {prefix + QStringLiteral("_TELEFONO"), p.phone},
                       {prefix + QStringLiteral("_DIRECCION1"), p.address},
                       {prefix + QStringLiteral("_STATUS"), p.active}});
}

void addDocuments(const QString& folder, const QString& table, const QString& prefix,
                  TDateTime today, const QList<Document>& documents) {
    data::TableFileWriter writer(folder, table);
    for (const Document& d : documents)
        writer.insert({{prefix + QStringLiteral("_CODIGO"), d.code},
                       {prefix + QStringLiteral("_NUMERO"), d.number},
                       {prefix + QStringLiteral("_SALDODOCUMENTO"), d.balance},
                       {prefix + QStringLiteral("_FECHAEMISION"), today - d.issuedDaysAgo},
                       {prefix + QStringLiteral("_FECHAVENCIMIENTO"), today + d.dueDays},
                       {prefix + QStringLiteral("_TIPOTRANSACCION"), d.type},
                       {prefix + QStringLiteral("_DESCRIPCIONMOV"), d.description}});
}

void fillDemo(const QString& dir, TDateTime today) {
    const QString folder = dataPath(dir);

    struct Bank {
        QString account, name;
        double balance;
    };
    const QList<Bank> banks{
        {QStringLiteral("0102-0123-45-0000123456"), QStringLiteral("Banco de Venezuela"), 48250.75},
        {QStringLiteral("0134-0456-78-0000456789"), QStringLiteral("Banesco Universal"), 127930.10},
        {QStringLiteral("0108-0789-01-0000789012"), QStringLiteral("BBVA Provincial"), 9315.40},
    };
    {
        data::TableFileWriter bancos(folder, data::schema::Bancos);
        data::TableFileWriter fixed(folder, data::schema::Fixed);
        for (const Bank& b : banks) {
            bancos.insert({{QStringLiteral("FB_NOCUENTA"), b.account},
                           {QStringLiteral("FB_DESCRIPCION"), b.name}});
            fixed.insert({{QStringLiteral("FX_CODIGO"), b.account},
                          {QStringLiteral("FX_SALDO"), b.balance}});
        }
    }
    {
        data::TableFileWriter beneficiarios(folder, data::schema::Beneficiarios);
        const QStringList names{QStringLiteral("Inversiones Altamira, C.A."),
                                QStringLiteral("Muebles y Oficinas del Centro"),
                                QStringLiteral("Seguridad Integral Guardianes"),
                                QStringLiteral("Seguros La Previsora"),
                                QStringLiteral("Telecomunicaciones del Este")};
        int n = 0;
        for (const QString& name : names)
            beneficiarios.insert(
                {{QStringLiteral("FBE_CODIGO"), QStringLiteral("B%1").arg(++n, 3, 10, QChar('0'))},
                 {QStringLiteral("FBE_DESCRIPCION"), name}});
    }
    {
        data::TableFileWriter trans(folder, data::schema::TransPendientes);
        data::TableFileWriter giros(folder, data::schema::GirosPendientes);
        addTransaction(
            trans, giros, today, banks[0].account, banks[0].name,
            QStringLiteral("Inversiones Altamira, C.A."), QStringLiteral("Alquiler de la oficina"),
            1, 0,
            {{-61, 8, 0, 3500.00, true}, {-30, 8, 0, 3500.00, true}, {0, 0, 5, 3500.00, false}});
        addTransaction(trans, giros, today, banks[1].account, banks[1].name,
                       QStringLiteral("Muebles y Oficinas del Centro"),
                       QStringLiteral("Compra de mobiliario"), 0, 0,
                       {{-5, 9, 30, 1250.50, false},
                        {25, 9, 30, 1250.50, false},
                        {55, 9, 30, 1250.50, false}});
        addTransaction(trans, giros, today, banks[1].account, banks[1].name,
                       QStringLiteral("Seguridad Integral Guardianes"),
                       QStringLiteral("Servicio de vigilancia"), 2, 0,
                       {{-14, 10, 0, 880.00, true}, {1, 10, 0, 880.00, false}});
        addTransaction(trans, giros, today, banks[2].account, banks[2].name,
                       QStringLiteral("Seguros La Previsora"), QStringLiteral("Póliza de seguro"),
                       0, 0, {{2, 11, 0, 2140.35, false}, {32, 11, 0, 2140.35, false}});
        addTransaction(trans, giros, today, banks[0].account, banks[0].name,
                       QStringLiteral("Telecomunicaciones del Este"),
                       QStringLiteral("Cargo por servicio de internet"), 0, 1,
                       {{-2, 7, 0, 315.90, false}, {28, 7, 0, 315.90, false}});
        addTransaction(trans, giros, today, banks[2].account, banks[2].name,
                       QStringLiteral("Inversiones Altamira, C.A."),
                       QStringLiteral("Depósito en garantía"), 0, 0, {{-90, 8, 0, 7000.00, true}});
    }

    addParties(
        folder, data::schema::Clientes, QStringLiteral("FC"),
        {{QStringLiteral("C0001"), QStringLiteral("Abastos El Llanero"),
          QStringLiteral("0212-555-0101"), QStringLiteral("Calle Real de Sabana Grande"), true},
         {QStringLiteral("C0002"), QStringLiteral("Ferretería La Esquina"),
          QStringLiteral("0212-555-0102"), QStringLiteral("Av. Libertador, Local 12"), true},
         {QStringLiteral("C0003"), QStringLiteral("Comercial Los Andes, C.A."),
          QStringLiteral("0274-555-0103"), QStringLiteral("Av. Las Américas, Mérida"), true},
         {QStringLiteral("C0004"), QStringLiteral("Panadería San José"),
          QStringLiteral("0212-555-0104"), QStringLiteral("Esquina de San José"), false},
         {QStringLiteral("C0005"), QStringLiteral("Distribuidora Zulia"),
          QStringLiteral("0261-555-0105"), QStringLiteral("Calle 72, Maracaibo"), true},
         {QStringLiteral("C0006"), QStringLiteral("Comercial Los Andes, C.A."),
          QStringLiteral("0276-555-0106"), QStringLiteral("Carrera 5, San Cristóbal"), true}});
    addDocuments(folder, data::schema::CuentasxCobrar, QStringLiteral("FCC"), today,
                 {{QStringLiteral("C0001"), QStringLiteral("000101"), 1, 1520.00, 70, -40,
                   QStringLiteral("Venta de mercancía")},
                  {QStringLiteral("C0001"), QStringLiteral("000102"), 3, 640.25, 30, 0,
                   QStringLiteral("Giro 1 de 3")},
                  {QStringLiteral("C0002"), QStringLiteral("000115"), 1, 2875.60, 20, 2,
                   QStringLiteral("Venta de herramientas")},
                  {QStringLiteral("C0002"), QStringLiteral("000116"), 5, 210.00, 10, 5,
                   QStringLiteral("Devolución parcial")},
                  {QStringLiteral("C0003"), QStringLiteral("000120"), 1, 4100.00, 45, -15,
                   QStringLiteral("Venta al mayor")},
                  {QStringLiteral("C0003"), QStringLiteral("000121"), 2, 95.40, 15, -3,
                   QStringLiteral("Intereses de mora")},
                  {QStringLiteral("C0006"), QStringLiteral("000122"), 1, 1980.00, 25, 10,
                   QStringLiteral("Venta de mercancía")},
                  {QStringLiteral("C0004"), QStringLiteral("000130"), 7, 150.00, 5, 20,
                   QStringLiteral("Nota de crédito pendiente")},
                  {QStringLiteral("C0005"), QStringLiteral("000140"), 1, 0.00, 60, -20,
                   QStringLiteral("Factura cancelada")},
                  {QStringLiteral("C0005"), QStringLiteral("000141"), 4, 500.00, 12, -1,
                   QStringLiteral("Documento de otro tipo")},
                  {QStringLiteral("C0005"), QStringLiteral("000142"), 6, 730.00, 12, 1,
                   QStringLiteral("Documento de otro tipo")},
                  {QStringLiteral("C0005"), QStringLiteral("000143"), 8, 45.00, 9, 3,
                   QStringLiteral("Tipo que las cuentas por cobrar no tienen")},
                  {QStringLiteral("C0005"), QStringLiteral("000144"), 1, 3340.80, 3, 14,
                   QStringLiteral("Venta a crédito")}});

    addParties(
        folder, data::schema::Proveedores, QStringLiteral("FP"),
        {{QStringLiteral("P0001"), QStringLiteral("Alimentos Polar Comercial"),
          QStringLiteral("0212-555-0201"), QStringLiteral("Los Cortijos de Lourdes"), true},
         {QStringLiteral("P0002"), QStringLiteral("Papelera Guaicaipuro"),
          QStringLiteral("0212-555-0202"), QStringLiteral("Zona Industrial de Los Teques"), true},
         {QStringLiteral("P0003"), QStringLiteral("Transporte Rápido Oriente"),
          QStringLiteral("0281-555-0203"), QStringLiteral("Av. Intercomunal, Barcelona"), true},
         {QStringLiteral("P0004"), QStringLiteral("Papelera Guaicaipuro"),
          QStringLiteral("0212-555-0204"), QStringLiteral("Sucursal Valencia"), false},
         {QStringLiteral("P0005"), QStringLiteral("Suministros Industriales Lara"),
          QStringLiteral("0251-555-0205"), QStringLiteral("Zona Industrial I, Barquisimeto"),
          true}});
    addDocuments(folder, data::schema::CuentasxPagar, QStringLiteral("FCP"), today,
                 {{QStringLiteral("P0001"), QStringLiteral("A-55120"), 1, 6230.00, 40, -10,
                   QStringLiteral("Compra de víveres")},
                  {QStringLiteral("P0001"), QStringLiteral("A-55180"), 3, 1100.00, 15, 0,
                   QStringLiteral("Giro 2 de 4")},
                  {QStringLiteral("P0002"), QStringLiteral("PG-1020"), 1, 845.75, 20, 4,
                   QStringLiteral("Resmas de papel")},
                  {QStringLiteral("P0004"), QStringLiteral("PG-1033"), 2, 60.00, 8, 6,
                   QStringLiteral("Flete adicional")},
                  {QStringLiteral("P0003"), QStringLiteral("TRO-889"), 5, 120.00, 18, -6,
                   QStringLiteral("Descuento por retraso")},
                  {QStringLiteral("P0003"), QStringLiteral("TRO-890"), 8, 75.50, 4, 9,
                   QStringLiteral("Nota de débito pendiente")},
                  {QStringLiteral("P0005"), QStringLiteral("SIL-301"), 1, 0.00, 50, -25,
                   QStringLiteral("Factura pagada")},
                  {QStringLiteral("P0005"), QStringLiteral("SIL-302"), 4, 980.00, 10, -2,
                   QStringLiteral("Documento de otro tipo")},
                  {QStringLiteral("P0005"), QStringLiteral("SIL-303"), 6, 410.00, 10, 2,
                   QStringLiteral("Documento de otro tipo")},
                  {QStringLiteral("P0005"), QStringLiteral("SIL-304"), 7, 33.00, 6, 1,
                   QStringLiteral("Tipo que las cuentas por pagar no tienen")},
                  {QStringLiteral("P0005"), QStringLiteral("SIL-305"), 1, 2715.20, 2, 21,
                   QStringLiteral("Repuestos industriales")}});

    insertUser(dir, QStringLiteral("ADMIN"), QStringLiteral("monvela"), true);
    insertUser(dir, QStringLiteral("CONSULTA"), QStringLiteral("consulta"), false);
}

// The benchmark company's rows. A row due by the horizon lies up to a year
// overdue; a later one up to a year after the horizon.
int dueDay(QRandomGenerator& random, int daysAhead) {
    return daysAhead - int(random.bounded(366 + daysAhead));
}

int laterDay(QRandomGenerator& random, int daysAhead) {
    return daysAhead + 1 + int(random.bounded(365));
}

double randomAmount(QRandomGenerator& random) {
    return double(100 + random.bounded(5000000)) / 100.0;
}

void writeSettings(const QString& dir, const shell::Settings& settings) {
    QString error;
    const QString path = QDir(dataPath(dir)).filePath(QStringLiteral("FileConfig.txt"));
    if (!shell::writeSettingsFile(path, settings, &error))
        throw ToolError(QStringLiteral("No se pudo escribir \"%1\": %2").arg(path, error));
}

void generateInstallments(const QString& folder, TDateTime today, const GenerateOptions& o,
                          QRandomGenerator& random) {
    const qint64 transactions = (o.installments + 3) / 4;
    const qint64 banks = std::max<qint64>(1, (transactions + o.perBank - 1) / o.perBank);
    QStringList accounts, names;
    {
        data::TableFileWriter bancos(folder, data::schema::Bancos);
        data::TableFileWriter fixed(folder, data::schema::Fixed);
        bancos.begin();
        fixed.begin();
        for (qint64 b = 0; b < banks; ++b) {
            accounts << QStringLiteral("0102-0000-00-%1").arg(b + 1, 10, 10, QLatin1Char('0'));
            names << QStringLiteral("Banco %1").arg(b + 1, 3, 10, QLatin1Char('0'));
            bancos.insert({{QStringLiteral("FB_NOCUENTA"), accounts.last()},
                           {QStringLiteral("FB_DESCRIPCION"), names.last()}});
            fixed.insert({{QStringLiteral("FX_CODIGO"), accounts.last()},
                          {QStringLiteral("FX_SALDO"), randomAmount(random) * 100}});
        }
        bancos.commit();
        fixed.commit();
    }
    const int beneficiaryCount = 50;
    {
        data::TableFileWriter beneficiarios(folder, data::schema::Beneficiarios);
        beneficiarios.begin();
        for (int n = 1; n <= beneficiaryCount; ++n)
            beneficiarios.insert(
                {{QStringLiteral("FBE_CODIGO"), QStringLiteral("B%1").arg(n, 3, 10, QChar('0'))},
                 {QStringLiteral("FBE_DESCRIPCION"),
                  QStringLiteral("Beneficiario %1").arg(n, 3, 10, QChar('0'))}});
        beneficiarios.commit();
    }
    data::TableFileWriter trans(folder, data::schema::TransPendientes);
    data::TableFileWriter giros(folder, data::schema::GirosPendientes);
    trans.begin();
    giros.begin();
    for (qint64 t = 0; t < transactions; ++t) {
        const qint64 count = std::min<qint64>(4, o.installments - 4 * t);
        QList<Installment> installments;
        for (qint64 i = 0; i < count; ++i) {
            const int category = int(random.bounded(100));
            Installment g{0, int(random.bounded(24)), 15 * int(random.bounded(4)),
                          randomAmount(random), false};
            if (category < o.duePercent) {
                g.days = dueDay(random, o.daysAhead);
            } else if ((category - o.duePercent) % 2 == 0) {
                g.days = -int(random.bounded(366));
                g.paid = true;
            } else {
                g.days = laterDay(random, o.daysAhead);
            }
            installments << g;
        }
        std::sort(installments.begin(), installments.end(),
                  [](const Installment& a, const Installment& b) { return a.days < b.days; });
        const qint64 bank = t / o.perBank;
        addTransaction(
            trans, giros, today, accounts.at(bank), names.at(bank),
            QStringLiteral("Beneficiario %1").arg(1 + t % beneficiaryCount, 3, 10, QChar('0')),
            QStringLiteral("Transacción %1").arg(t + 1), 0, int(random.bounded(2)), installments);
    }
    trans.commit();
    giros.commit();
}

// Receivables (prefix "FCC", parties "FC", own type 7) or payables ("FCP",
// "FP", 8). The documents go round the parties, two or so to each.
void generateDocuments(const QString& folder, bool payables, TDateTime today,
                       const GenerateOptions& o, QRandomGenerator& random) {
    const QString doc = payables ? QStringLiteral("FCP") : QStringLiteral("FCC");
    const QString party = payables ? QStringLiteral("FP") : QStringLiteral("FC");
    const QChar letter = payables ? QLatin1Char('P') : QLatin1Char('C');
    const QString stem = payables ? QStringLiteral("Proveedor") : QStringLiteral("Cliente");
    const int ownType = payables ? 8 : 7;
    const qint64 parties = o.parties > 0 ? o.parties : std::max<qint64>(1, o.documents / 2);
    QStringList codes;
    {
        data::TableFileWriter writer(folder,
                                     payables ? data::schema::Proveedores : data::schema::Clientes);
        writer.begin();
        for (qint64 p = 0; p < parties; ++p) {
            codes << QStringLiteral("%1%2").arg(letter).arg(p + 1, 8, 10, QLatin1Char('0'));
            writer.insert({{party + QStringLiteral("_CODIGO"), codes.last()},
                           {party + QStringLiteral("_DESCRIPCION"),
                            QStringLiteral("%1 %2").arg(stem).arg(p + 1, 8, 10, QLatin1Char('0'))},
                           {party + QStringLiteral("_TELEFONO"),
                            QStringLiteral("0212-555-%1").arg(p % 10000, 4, 10, QChar('0'))},
                           {party + QStringLiteral("_DIRECCION1"),
                            QStringLiteral("Calle %1").arg(p % 500 + 1)},
                           {party + QStringLiteral("_STATUS"), p % 10 != 0}});
        }
        writer.commit();
    }
    const int admitted[5] = {1, 2, 3, 5, ownType};
    data::TableFileWriter writer(folder, payables ? data::schema::CuentasxPagar
                                                  : data::schema::CuentasxCobrar);
    writer.begin();
    for (qint64 d = 0; d < o.documents; ++d) {
        const int category = int(random.bounded(100));
        int days = dueDay(random, o.daysAhead);
        int type = admitted[random.bounded(5)];
        double balance = randomAmount(random);
        if (category >= o.duePercent) {
            switch ((category - o.duePercent) % 4) {
            case 0:
                balance = 0; // settled
                break;
            case 1:
                type = 4 + 2 * int(random.bounded(2)); // a type the notice leaves out
                break;
            default:
                days = laterDay(random, o.daysAhead);
                break;
            }
        }
        writer.insert(
            {{doc + QStringLiteral("_CODIGO"), codes.at(d % parties)},
             {doc + QStringLiteral("_NUMERO"),
              QStringLiteral("%1-%2").arg(letter).arg(d + 1, 9, 10, QChar('0'))},
             {doc + QStringLiteral("_SALDODOCUMENTO"), balance},
             {doc + QStringLiteral("_FECHAEMISION"), today + days - 30},
             {doc + QStringLiteral("_FECHAVENCIMIENTO"), today + days},
             {doc + QStringLiteral("_TIPOTRANSACCION"), type},
             {doc + QStringLiteral("_DESCRIPCIONMOV"), QStringLiteral("Documento %1").arg(d + 1)}});
    }
    writer.commit();
}

void appendLe16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void appendLe32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

void create(const QString& dir) {
    layOut(dir, QString());
    writeCompanyData(dir, {QStringLiteral("EMPRESA S.A"), QString(), QString(), QString()});
}

void createDemo(const QString& dir, TDateTime today) {
    layOut(dir, QStringLiteral("Av. Francisco de Miranda, Torre Delta, Piso 4, Caracas"));
    // Line 2 is the suite's own; the reports print line 3 after "R.I.F:" and
    // line 4 after "N.I.T:".
    writeCompanyData(dir, {QStringLiteral("Distribuidora Monvela, C.A."),
                           QStringLiteral("Caracas - Teléfono (0212) 555-0142"),
                           QStringLiteral("J-30512345-6"), QStringLiteral("0123456789")});
    fillDemo(dir, core::dt::datePart(today));
    // The demo shows everything the module does: receivables and payables are
    // included, and the notice plays the company's chime.
    shell::Settings settings;
    settings.includeReceivables = true;
    settings.includePayables = true;
    settings.soundFile = QDir(dataPath(dir)).absoluteFilePath(QStringLiteral("ICONOS/notify.wav"));
    QString error;
    const QString path = QDir(dataPath(dir)).filePath(QStringLiteral("FileConfig.txt"));
    if (!shell::writeSettingsFile(path, settings, &error))
        throw ToolError(QStringLiteral("No se pudo escribir \"%1\": %2").arg(path, error));
}

void generate(const QString& dir, TDateTime today, const GenerateOptions& o) {
    if (o.installments < 0 || o.documents < 0 || o.parties < 0 || o.perBank < 1 ||
        o.duePercent < 0 || o.duePercent > 100 || o.daysAhead < shell::DaysAheadRange.min ||
        o.daysAhead > shell::DaysAheadRange.max || o.refreshHours < shell::RefreshHoursRange.min ||
        o.refreshHours > shell::RefreshHoursRange.max)
        throw ToolError(QStringLiteral("Los valores de la empresa de prueba no son válidos."));
    today = core::dt::datePart(today);
    layOut(dir, QStringLiteral("Av. Principal, Edificio Central, Caracas"));
    // As in the demo: line 3 is printed after "R.I.F:", line 4 after "N.I.T:".
    writeCompanyData(dir, {QStringLiteral("Empresa de Prueba, C.A."), QStringLiteral("Caracas"),
                           QStringLiteral("J-00000000-0"), QStringLiteral("0000000000")});
    const QString folder = dataPath(dir);
    QRandomGenerator random(o.seed);
    generateInstallments(folder, today, o, random);
    generateDocuments(folder, false, today, o, random);
    generateDocuments(folder, true, today, o, random);
    insertUser(dir, QStringLiteral("ADMIN"), QStringLiteral("monvela"), true);

    shell::Settings settings;
    settings.includeReceivables = true;
    settings.includePayables = true;
    settings.daysAhead = o.daysAhead;
    settings.refreshHours = o.refreshHours;
    settings.soundFile = QDir(folder).absoluteFilePath(QStringLiteral("ICONOS/notify.wav"));
    writeSettings(dir, settings);
}

void addUser(const QString& dir, const QString& name, const QString& password, bool access) {
    if (!QFileInfo(dataPath(dir)).isDir())
        throw ToolError(QStringLiteral("\"%1\" no es una carpeta de empresa.").arg(dir));
    insertUser(dir, name, password, access);
}

QString autostartEntry() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/monvela.desktop");
}

void writeAutostart(const QString& dir, const QString& program) {
    const QFileInfo work(dir);
    if (!QFileInfo(QDir(dir).filePath(QStringLiteral("sempresas.dat"))).isFile())
        throw ToolError(QStringLiteral("\"%1\" no es una carpeta de empresa.").arg(dir));
    const QString entry = autostartEntry();
    ensureFolder(QFileInfo(entry).absolutePath());
    QString exec = program;
    exec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Monvela\n"
                                        "Comment=Avisa de los cheques, notas de débito y cuentas "
                                        "que vencen\n"
                                        "Exec=\"%1\"\n"
                                        "Path=%2\n"
                                        "Icon=monvela\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(exec, work.absoluteFilePath());
    QSaveFile file(entry);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw ToolError(QStringLiteral("No se pudo escribir \"%1\".").arg(entry));
}

void removeAutostart() {
    const QString entry = autostartEntry();
    if (QFileInfo::exists(entry) && !QFile::remove(entry))
        throw ToolError(QStringLiteral("No se pudo borrar \"%1\".").arg(entry));
}

void writeNoticeSound(const QString& path) {
    // Two soft tones, 16-bit mono PCM at 22050 Hz.
    const int rate = 22050;
    QByteArray samples;
    const double tones[2] = {880.0, 1318.5};
    for (int t = 0; t < 2; ++t) {
        const int count = rate * 18 / 100;
        for (int i = 0; i < count; ++i) {
            const double envelope = std::exp(-3.0 * double(i) / count);
            const double s = std::sin(2.0 * M_PI * tones[t] * i / rate) * envelope * 0.45;
            appendLe16(samples, quint16(qint16(s * 32767)));
        }
    }
    QByteArray wav("RIFF");
    appendLe32(wav, quint32(36 + samples.size()));
    wav.append("WAVEfmt ");
    appendLe32(wav, 16);
    appendLe16(wav, 1); // PCM
    appendLe16(wav, 1); // mono
    appendLe32(wav, rate);
    appendLe32(wav, rate * 2);
    appendLe16(wav, 2);
    appendLe16(wav, 16);
    wav.append("data");
    appendLe32(wav, quint32(samples.size()));
    wav.append(samples);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(wav) != wav.size())
        throw ToolError(QStringLiteral("No se pudo escribir \"%1\".").arg(path));
}

} // namespace company
