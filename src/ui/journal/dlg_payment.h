#pragma once
// "Оплата": a payment of an order, its amount in roubles, its date and a note such as "Предоплата".
#include "journal_types.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace dalvex::ui {

// DlgPayment: the "Оплата…" dialog of the journal window.
class DlgPayment : public QDialog {
    Q_OBJECT
public:
    // `outstanding`: what is left to pay, offered as the amount (kopecks).
    DlgPayment(const QString& order, int64_t outstanding, QWidget* parent);

    // The payment entered; nothing while the amount is not a sum of money.
    std::optional<journal::Payment> payment() const;

    QLineEdit* amountEdit() const { return amount_; }
    QComboBox* noteBox() const { return note_; }
    QDateEdit* dateEdit() const { return date_; }

    void accept() override;

private:
    QLineEdit* amount_;
    QDateEdit* date_;
    QComboBox* note_;
    QLabel* problem_;
};

} // namespace dalvex::ui
