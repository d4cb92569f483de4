#include "accounts/OpenDocuments.h"

#include "data/Query.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"

#include <exception>

namespace accounts {

QString OpenReceivablesHead() {
    return ReceivablesSelect + ReceivablesSum + ReceivablesOldestDue + ReceivablesFrom;
}

QString OpenPayablesHead() {
    return PayablesSelect + PayablesSum + PayablesOldestDue + PayablesFrom;
}

QString OpenDocumentsError(const QString& tableName) {
    return QStringLiteral("Error de Consulta al obtener datos de la Tabla ") + tableName +
           QStringLiteral(".");
}

QString OpenDocumentsStatement(const QString& head, const QString& documentPrefix,
                               const QString& partyPrefix, const QString& extraType) {
    const QString& d = documentPrefix;
    const QString& p = partyPrefix;
    return head + QStringLiteral(" AND (") + d +
           QStringLiteral("_FECHAVENCIMIENTO <= :Fecha) AND ") + d +
           QStringLiteral("_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , ") + extraType +
           QStringLiteral(") GROUP BY ") + p + QStringLiteral("_DESCRIPCION ORDER BY ") + p +
           QStringLiteral("_DESCRIPCION, ") + d + QStringLiteral("_FECHAVENCIMIENTO ASC");
}

TCuentasList& LoadOpenDocuments(data::Query& query, QWidget* parent, int daysAhead,
                                const QString& documentPrefix, const QString& partyPrefix,
                                const QString& head, const QString& extraType,
                                const QString& tableName, TCuentasList& list) {
    const QString& d = documentPrefix;
    const QString& p = partyPrefix;
    try {
        if (query.isOpen())
            query.close();
        query.clearSql();
        query.addSql(OpenDocumentsStatement(head, d, p, extraType));
        query.setParamDateTime(QStringLiteral("Fecha"),
                               platform::Clock::instance().today() + daysAhead);
        query.open();
        while (!query.eof()) {
            auto record = std::make_shared<TCuentas>();
            record->Numero = query.fieldByName(d + QStringLiteral("_NUMERO")).asString();
            record->TipoTransaccion = quint8(
                query.fieldByName(d + QStringLiteral("_TIPOTRANSACCION")).asInteger() & 0xFF);
            record->FechaVencimiento =
                query.fieldByName(d + QStringLiteral("_FECHAVENCIMIENTO")).asDateTime();
            record->SaldoDocumento =
                query.fieldByName(d + QStringLiteral("_SALDODOCUMENTO")).asCurrency();
            record->Descripcion = query.fieldByName(p + QStringLiteral("_DESCRIPCION")).asString();
            list.push_back(std::move(record));
            query.next();
        }
        query.clearSql();
        query.close();
    } catch (const std::exception&) {
        // A statement stopped half-way would keep the suite's tables locked
        // against its own writes until the next use of the query.
        query.close();
        platform::showError(parent, OpenDocumentsError(tableName));
    }
    return list;
}

TCuentasList& LoadOpenReceivables(data::Query& query, QWidget* parent, int daysAhead,
                                  TCuentasList& list) {
    return LoadOpenDocuments(query, parent, daysAhead, QStringLiteral("FCC"), QStringLiteral("FC"),
                             OpenReceivablesHead(), ReceivablesOwnType, ReceivablesTable, list);
}

TCuentasList& LoadOpenPayables(data::Query& query, QWidget* parent, int daysAhead,
                               TCuentasList& list) {
    return LoadOpenDocuments(query, parent, daysAhead, QStringLiteral("FCP"), QStringLiteral("FP"),
                             OpenPayablesHead(), PayablesOwnType, PayablesTable, list);
}

} // namespace accounts
