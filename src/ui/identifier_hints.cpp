#include "ui/identifier_hints.h"

#include "einvoice/identifiers.h"
#include "einvoice/party_rules.h"

#include <QLabel>
#include <QPalette>

namespace tessaro::ui {

using einvoice::IdentifierField;

namespace {

// The hints of one party, whose first name decides the rule of its codice fiscale.
auto hintsOf(const archive::PartyRecord& party, einvoice::PartyRole role)
{
    return [role, person = einvoice::isPerson(party)](IdentifierField field, const std::string& text) {
        const std::string sentence = einvoice::identifierHint(field, text, role, person);
        return QString::fromUtf8(sentence.data(), static_cast<qsizetype>(sentence.size()));
    };
}

} // namespace

std::array<IdentifierHint, 4> identifierHints(const archive::PartyRecord& issuer)
{
    const auto hint = hintsOf(issuer, einvoice::PartyRole::Issuer);
    return {{
        {"txtf6", hint(IdentifierField::PostCode, issuer.postCode)},
        {"txtf5", hint(IdentifierField::Province, issuer.province)},
        {"txtf7", hint(IdentifierField::TaxCode, issuer.taxCode)},
        {"txtf8", hint(IdentifierField::VatNumber, issuer.vatNumber)},
    }};
}

std::array<IdentifierHint, 2> clientIdentifierHints(const archive::PartyRecord& client)
{
    const auto hint = hintsOf(client, einvoice::PartyRole::Client);
    return {{
        {"txtc7", hint(IdentifierField::TaxCode, client.taxCode)},
        {"txtc8", hint(IdentifierField::VatNumber, client.vatNumber)},
    }};
}

QString hintLabelName(const char* field)
{
    return QStringLiteral("etcnota") + QString::fromLatin1(field).right(1);
}

void styleHint(QLabel* label)
{
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x99, 0x00, 0x00));
    label->setPalette(palette);
}

} // namespace tessaro::ui
