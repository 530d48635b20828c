// What the window "Incassi della fattura" shows and what the user asks of it,
// as plain data: the command that owns the payments checks and writes, the
// window only shows and reports, so the whole exchange runs headless too.
#pragma once

#include <string>
#include <vector>

namespace tessaro::ui {

struct PaymentRowView {
    std::string date; // dd/mm/yyyy, or "illeggibile"
    std::string amount;
    std::string method; // the method's name; empty when not said
    std::string note;
};

struct PaymentsView {
    std::string heading; // "Fattura n. 5 del 12/03/2026 - Rossi Mario"
    std::string toPay; // etcdapagare
    std::string received; // etcincassato
    std::string owed; // etcresiduo
    std::string state; // etcstato
    std::string method; // cmbmodalita: a ModalitaPagamento code, empty for none
    std::string term; // cmbtermine: a term code, empty for none
    std::string due; // txtscadenza: dd/mm/yyyy, empty when there is none
    std::vector<PaymentRowView> rows; // lstincassi
    // What a new payment starts with: today, what is still owed, the method.
    std::string newDate;
    std::string newAmount;
    std::string newMethod;
    std::string newNote;
    bool full = false; // no slot left for another payment
};

struct PaymentsRequest {
    enum class Action { Close, Record, Remove, ChangeTerms };
    Action action = Action::Close;
    // Record: the new payment as typed.
    std::string date;
    std::string amount;
    std::string method;
    std::string note;
    int row = -1; // Remove: the row, from 0
    // ChangeTerms: the codes chosen and the due date typed.
    std::string termMethod;
    std::string term;
    std::string due;
};

} // namespace tessaro::ui
