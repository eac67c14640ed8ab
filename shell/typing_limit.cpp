#include "shell/typing_limit.h"

#include <QLineEdit>

#include "shell/platform.h"

namespace dovanel {

TypingLimit::TypingLimit(QLineEdit* box, int maxLength, Check check)
    : QValidator(box), box_(box), maxLength_(maxLength), check_(std::move(check)) {}

TypingLimit* TypingLimit::Install(QLineEdit* box, int maxLength, Check check) {
    auto* limit = new TypingLimit(box, maxLength, std::move(check));
    limit->shownLength_ = static_cast<int>(box->text().size());
    box->setValidator(limit);
    QObject::connect(box, &QLineEdit::textChanged, limit, [limit](const QString& text) {
        limit->shownLength_ = static_cast<int>(text.size());
    });
    QObject::connect(box, &QLineEdit::inputRejected, limit, [] { ThePlatform().Beep(); });
    return limit;
}

int TypingLimit::MaxLengthOf(const QLineEdit* box) {
    const auto* limit = dynamic_cast<const TypingLimit*>(box->validator());
    return limit ? limit->maxLength_ : 0;
}

// A text the program set (setText leaves the box unmodified) always stands. A
// typed one may not grow past the limit, though a longer loaded value may be
// edited in place.
QValidator::State TypingLimit::validate(QString& input, int&) const {
    if (!box_->isModified()) return Acceptable;
    const int length = static_cast<int>(input.size());
    if (maxLength_ > 0 && length > maxLength_ && length > shownLength_) return Invalid;
    if (check_ && !check_(input)) return Invalid;
    return Acceptable;
}

}  // namespace dovanel
