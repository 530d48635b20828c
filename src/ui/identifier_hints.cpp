#include "ui/identifier_hints.h"

#include "einvoice/identifiers.h"
#include "einvoice/party_rules.h"

#include <QLabel>
#include <QPalette>

namespace tessaro::ui {

std::array<IdentifierHint, 4> identifierHints(const archive::PartyRecord& issuer)
{
    using einvoice::IdentifierField;
    const bool person = einvoice::isPerson(issuer);
    const auto hint = [person](IdentifierField field, const std::string& text) {
        const std::string sentence = einvoice::identifierHint(field, text, einvoice::PartyRole::Issuer, person);
        return QString::fromUtf8(sentence.data(), static_cast<qsizetype>(sentence.size()));
    };
    return {{
        {"txtf6", hint(IdentifierField::PostCode, issuer.postCode)},
        {"txtf5", hint(IdentifierField::Province, issuer.province)},
        {"txtf7", hint(IdentifierField::TaxCode, issuer.taxCode)},
        {"txtf8", hint(IdentifierField::VatNumber, issuer.vatNumber)},
    }};
}

void styleHint(QLabel* label)
{
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x99, 0x00, 0x00));
    label->setPalette(palette);
}

} // namespace tessaro::ui
