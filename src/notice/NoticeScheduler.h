#pragma once

#include "accounts/TCuentas.h"
#include "bank/Records.h"
#include "notice/SerialRunner.h"

#include <QString>

namespace controls {
class TNorvaList;
}

namespace shell {
class Tm3TransaccionesPendientesForm;
}

// The two timers of the module window drive the notification: the reload
// (TimerBusqueda, every few hours) fills the module window's pending lists
// from the database; the notice check (TimerEspera) hands what is due at this
// moment to the notice window and raises it.
namespace notice {

// The message of a failed notice check.
inline const QString NoticeCheckError = QStringLiteral("Error al ejecutar la ventana de aviso.");
// The message of a request for the notice while it is switched off.
inline const QString NoticeOffMessage =
    QStringLiteral("Active la ventana de aviso por configuración para poder visualizarla.");

class NoticeScheduler {
public:
    // The notice check's rhythm after each run.
    static constexpr int CheckIntervalMs = 40000;

    explicit NoticeScheduler(shell::Tm3TransaccionesPendientesForm& module);

    // The reload and the notice check. Neither runs inside the other (a message
    // box shown by one runs a nested event loop that still delivers timer
    // events and menu requests): one that arrives meanwhile runs after it.
    void Reload();
    void Check();

    // Empties a pending list; its records go with it unless a list of the
    // notice window still holds them.
    static void FreeRecordList(bank::TGirosList& list);
    static void FreeRecordList(accounts::TCuentasList& list);

    // Hands the documents over to the notice list once today's reminder time
    // (MEHora with CAMPM) has passed, adding their balances to the total of
    // the list's kind. An unreadable reminder time becomes "12:00".
    void MoveDueDocuments(accounts::TCuentasList& documents, controls::TNorvaList* noticeList);

    // Asks for the notice at once ("&Ventana de Aviso"): with the notice
    // switched off in the settings only an information message; otherwise the
    // next check comes in 1 ms (the check's timer stays as it is: a check
    // stopped by an error stays stopped).
    void RequestNotice();

    const SerialRunner& runner() const { return m_runner; }

private:
    void reload();
    void check();
    void checkSteps();

    shell::Tm3TransaccionesPendientesForm& m_module;
    SerialRunner m_runner;
};

} // namespace notice
