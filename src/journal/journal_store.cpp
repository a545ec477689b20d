#include "journal_store.h"

#include "journal_messages.h"
#include "journal_numbers.h"

#include <limits>
#include <map>
#include <tuple>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

// A write transaction of the port, rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(JournalDb& db) : db_(db), begun_(db.begin()), open_(begun_.ok()) {}
    ~WriteTransaction() {
        if (open_) db_.rollback();
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    const JournalStatus& begun() const { return begun_; }
    JournalStatus commit() {
        open_ = false;
        JournalStatus s = db_.commit();
        if (!s) db_.rollback();
        return s;
    }

private:
    JournalDb& db_;
    JournalStatus begun_;
    bool open_;
};

OrderSummary summaryAt(const DbRows& rows, int row) {
    OrderSummary o;
    o.number = rows.integer(row, 0);
    o.numberText = rows.text(row, 1);
    o.customer = rows.text(row, 2);
    o.phone = rows.text(row, 3);
    o.address = rows.text(row, 4);
    o.orderDate = rows.integer(row, 5);
    o.readyDate = rows.integer(row, 6);
    o.grandTotal = static_cast<int32_t>(rows.integer(row, 7));
    o.paid = rows.integer(row, 8);
    o.status = statusFromValue(rows.integer(row, 9)).value_or(OrderStatus::Estimate);
    o.savedAt = rows.integer(row, 10);
    o.rowVersion = rows.integer(row, 11);
    return o;
}

JournalStatus notFound(int64_t number) {
    return journalError(JournalErrc::NotFound, "no order " + std::to_string(number));
}

// The paid sum stays far from where int64 (and the outstanding amount, the order's total less it) would
// overflow.
constexpr int64_t kLargestPaidSum = int64_t{1} << 60;

int64_t numberAfter(int64_t number) {
    return number < std::numeric_limits<int64_t>::max() ? number + 1 : number;
}

// What HoldOrder answers of an order.
struct Held {
    int64_t latestVersion = 0;
    int64_t rowVersion = 0;
    int64_t status = 0;
    int64_t paid = 0;
};

} // namespace

JournalStore::JournalStore(std::unique_ptr<JournalDb> db)
    : db_(std::move(db)), changes_(journalChanges(db_->searchColumn(), db_->rowLock())) {}

Outcome<DbRows> JournalStore::make(JournalChange change, const DbParams& params) {
    return db_->change(changes_[static_cast<std::size_t>(change)], params);
}

JournalStatus JournalStore::indexOrder(int64_t number, const OrderCard& card) {
    return db_->searchColumn().name.empty() ? db_->index(number, card) : JournalStatus{};
}

std::string JournalStore::location() const {
    return db_->location();
}

Outcome<std::string> JournalStore::identity() {
    if (identity_.empty()) {
        Outcome<std::string> asked = db_->identity();
        if (!asked) return asked;
        identity_ = std::move(asked.value());
    }
    return identity_;
}

Outcome<int64_t> JournalStore::record(const OrderRecord& r) {
    WriteTransaction t(*db_);
    if (!t.begun()) return t.begun();
    const Outcome<int64_t> version = recordOne(r);
    if (!version) return version;
    if (JournalStatus s = t.commit(); !s) return s;
    return version;
}

JournalStatus JournalStore::recordAll(std::span<const OrderRecord> records) {
    WriteTransaction t(*db_);
    if (!t.begun()) return t.begun();
    for (const OrderRecord& r : records)
        if (Outcome<int64_t> version = recordOne(r); !version) return version.status();
    return t.commit();
}

Outcome<int64_t> JournalStore::recordOne(const OrderRecord& r) {
    const int64_t number = orderKey(r.card.orderNumber);
    if (!r.saveId.empty()) {
        // Sent again after the answer was lost (a dropped connection, a killed program): it is there already.
        const Outcome<DbRows> sent = db_->query("SELECT id FROM versions WHERE save_id = $1", DbParams().word(r.saveId));
        if (!sent) return sent.status();
        if (sent->count() > 0) return sent->integer(0, 0);
    }
    // The order's row is held until the commit, so that two desks saving it take turns.
    const Outcome<DbRows> held = make(JournalChange::HoldOrder, DbParams().add(number));
    if (!held) return held.status();
    if (held->count() > 0 && r.followsVersion != 0 && held->integer(0, 0) != r.followsVersion)
        return changedElsewhere();

    DbParams save = cardParams(*db_, number, r);
    save.bytes(r.fileBytes).word(r.saveId).add(numberAfter(number));
    const Outcome<DbRows> id = make(JournalChange::SaveOrder, save);
    if (!id) return id.status();
    if (id->count() == 0) return journalError(JournalErrc::Failed, location() + ": no version id");
    if (JournalStatus s = indexOrder(number, r.card); !s) return s;
    return id->integer(0, 0);
}

JournalStatus JournalStore::raiseCounter(int64_t next) {
    // The counter's row is only held when it must move.
    const Outcome<DbRows> raised = make(JournalChange::RaiseCounter, DbParams().add(next));
    return raised ? JournalStatus{} : raised.status();
}

Outcome<bool> JournalStore::holdsVersion(int64_t number, std::string_view bytes) {
    const Outcome<DbRows> rows = db_->query("SELECT 1 FROM versions WHERE number = $1 AND bytes = $2 LIMIT 1",
                                            DbParams().add(number).bytes(bytes));
    if (!rows) return rows.status();
    return rows->count() > 0;
}

Outcome<std::vector<OrderSummary>> JournalStore::find(const JournalQuery& query) {
    DbParams params;
    const std::string sql = db_->listSql(query, false, params);
    const Outcome<DbRows> rows = db_->query(sql, params);
    if (!rows) return rows.status();
    std::vector<OrderSummary> found;
    found.reserve(static_cast<size_t>(rows->count()));
    for (int i = 0; i < rows->count(); ++i)
        found.push_back(summaryAt(*rows, i));
    return found;
}

Outcome<int64_t> JournalStore::count(const JournalQuery& query) {
    DbParams params;
    const std::string sql = db_->listSql(query, true, params);
    const Outcome<DbRows> rows = db_->query(sql, params);
    if (!rows) return rows.status();
    return rows->count() > 0 ? rows->integer(0, 0) : 0;
}

Outcome<OrderDetails> JournalStore::order(int64_t number) {
    const Outcome<DbRows> o = db_->query(
        std::string("SELECT ") + kSummaryColumns +
            ", o.assembly_cost, o.delivery_cost, o.discount, o.items_total, o.system, o.handle_profile, o.color, "
            "o.width, o.height, o.door_count, o.file_path FROM orders o WHERE o.number = $1",
        DbParams().add(number));
    if (!o) return o.status();
    if (o->count() == 0) return notFound(number);
    OrderDetails d;
    d.summary = summaryAt(*o, 0);
    OrderRecord& r = d.latest;
    r.card.orderNumber = d.summary.numberText;
    r.card.customerName = d.summary.customer;
    r.card.phone = d.summary.phone;
    r.card.address = d.summary.address;
    r.card.orderDate = d.summary.orderDate;
    r.card.readyDate = d.summary.readyDate;
    r.card.assemblyCost = static_cast<int32_t>(o->integer(0, 12));
    r.card.deliveryCost = static_cast<int32_t>(o->integer(0, 13));
    r.discountPercent = o->real(0, 14);
    r.itemsTotal = static_cast<int32_t>(o->integer(0, 15));
    r.grandTotal = d.summary.grandTotal;
    r.system = o->text(0, 16);
    r.handleProfile = o->text(0, 17);
    r.color = o->text(0, 18);
    r.width = static_cast<int32_t>(o->integer(0, 19));
    r.height = static_cast<int32_t>(o->integer(0, 20));
    r.doorCount = static_cast<int32_t>(o->integer(0, 21));
    r.filePath = o->text(0, 22);
    r.savedAt = d.summary.savedAt;

    const std::string desk = ", " + std::string(db_->deskColumn());
    const Outcome<DbRows> v = db_->query("SELECT id, saved_at, file_path, grand_total, length(bytes), "
                                         "coalesce(save_id, '')" + desk + " FROM versions WHERE number = $1 ORDER BY id",
                                         DbParams().add(number));
    if (!v) return v.status();
    for (int i = 0; i < v->count(); ++i)
        d.versions.push_back({v->integer(i, 0), v->integer(i, 1), v->text(i, 2), static_cast<int32_t>(v->integer(i, 3)),
                              v->integer(i, 4), v->text(i, 5), v->text(i, 6)});
    const Outcome<DbRows> s = db_->query("SELECT status, changed_at" + desk +
                                             " FROM status_changes WHERE number = $1 ORDER BY id",
                                         DbParams().add(number));
    if (!s) return s.status();
    for (int i = 0; i < s->count(); ++i)
        d.statuses.push_back(
            {statusFromValue(s->integer(i, 0)).value_or(OrderStatus::Estimate), s->integer(i, 1), s->text(i, 2)});
    const Outcome<DbRows> p = db_->query("SELECT amount, paid_on, note" + desk +
                                             " FROM payments WHERE number = $1 ORDER BY id",
                                         DbParams().add(number));
    if (!p) return p.status();
    for (int i = 0; i < p->count(); ++i)
        d.payments.push_back({p->integer(i, 0), p->integer(i, 1), p->text(i, 2), p->text(i, 3)});
    return d;
}

Outcome<std::string> JournalStore::versionBytes(int64_t number, int64_t versionId) {
    const Outcome<DbRows> rows =
        versionId == 0
            ? db_->query("SELECT bytes FROM versions WHERE number = $1 ORDER BY id DESC LIMIT 1", DbParams().add(number))
            : db_->query("SELECT bytes FROM versions WHERE number = $1 AND id = $2",
                         DbParams().add(number).add(versionId));
    if (!rows) return rows.status();
    if (rows->count() == 0)
        return journalError(JournalErrc::NotFound, "no version of order " + std::to_string(number));
    return rows->text(0, 0);
}

Outcome<int64_t> JournalStore::statusFor(int64_t number, int64_t seenRowVersion) {
    const Outcome<DbRows> held = make(JournalChange::HoldOrder, DbParams().add(number));
    if (!held) return held.status();
    if (held->count() == 0) return notFound(number);
    if (seenRowVersion != 0 && held->integer(0, 1) != seenRowVersion) return changedElsewhere();
    return held->integer(0, 2);
}

JournalStatus JournalStore::setStatus(int64_t number, OrderStatus status, int64_t at, int64_t seenRowVersion) {
    WriteTransaction t(*db_);
    if (!t.begun()) return t.begun();
    const Outcome<int64_t> current = statusFor(number, seenRowVersion);
    if (!current) return current.status();
    if (*current == static_cast<int>(status)) return {};
    if (Outcome<DbRows> c = make(JournalChange::SetStatus,
                                 DbParams().add(number).add(static_cast<int64_t>(status)).add(at));
        !c)
        return c.status();
    return t.commit();
}

JournalStatus JournalStore::addPayment(int64_t number, const Payment& payment, int64_t seenRowVersion) {
    if (payment.amount <= 0 || payment.amount > kLargestPayment)
        return journalError(JournalErrc::Refused, "платёж должен быть больше нуля и не больше 99 999 999,99 руб.");
    WriteTransaction t(*db_);
    if (!t.begun()) return t.begun();
    if (const Outcome<int64_t> current = statusFor(number, seenRowVersion); !current) return current.status();
    // The paid sum stays a number every back end and the window can hold, however many payments come.
    const Outcome<DbRows> paid = db_->query("SELECT paid FROM orders WHERE number = $1", DbParams().add(number));
    if (!paid) return paid.status();
    if (paid->count() == 0 || paid->integer(0, 0) > kLargestPaidSum - payment.amount)
        return journalError(JournalErrc::Refused, "сумма оплат заказа стала бы слишком большой");
    if (Outcome<DbRows> i = make(JournalChange::AddPayment,
                                 DbParams().add(number).add(payment.amount).add(payment.paidOn).text(payment.note));
        !i)
        return i.status();
    return t.commit();
}

Outcome<OrderNumberClaim> JournalStore::claimNumber(const fs::path& configFolder, const std::string& cardNumber,
                                                    const std::string& offered) {
    WriteTransaction t(*db_);
    if (!t.begun()) return t.begun();
    // The counter's row is held to the commit: every other desk waits for this claim.
    const Outcome<DbRows> next = make(JournalChange::HoldCounter, DbParams());
    if (!next) return next.status();
    if (next->count() == 0) return journalError(JournalErrc::Damaged, location() + ": no number counter");
    const OrderNumberClaim claim = claimInStep(configFolder, next->integer(0, 0), cardNumber, offered);
    JournalStatus s = raiseCounter(journalNextAfter(claim));
    if (s) s = t.commit();
    if (!s) {
        releaseOrderNumber(configFolder, claim);
        return s;
    }
    return claim;
}

void JournalStore::releaseNumber(const fs::path& configFolder, const OrderNumberClaim& claim) {
    // Back only when no program has taken a number since.
    make(JournalChange::ReleaseNumber, DbParams().add(int64_t{claim.counterBefore}).add(journalNextAfter(claim)));
    releaseOrderNumber(configFolder, claim);
}

Outcome<int64_t> JournalStore::keepCounterInStep(const fs::path& configFolder) {
    WriteTransaction t(*db_);
    if (!t.begun()) return t.begun();
    // Numbers handed out by the counter alone while the journal was away count too.
    if (JournalStatus s = raiseCounter(orderKey(nextOrderNumber(configFolder))); !s) return s;
    const Outcome<DbRows> next = db_->query("SELECT next_number FROM counter WHERE id = 1", DbParams());
    if (!next) return next.status();
    if (next->count() == 0) return journalError(JournalErrc::Damaged, location() + ": no number counter");
    if (JournalStatus s = t.commit(); !s) return s;
    const int64_t value = next->integer(0, 0);
    raiseOrderCounter(configFolder, counterValue(value));
    return value;
}

JournalStatus JournalStore::backup(const fs::path& target) {
    return db_->backup(target);
}

Outcome<std::vector<std::string>> JournalStore::check() {
    Outcome<std::vector<std::string>> found = db_->integrity();
    if (!found) return found;
    std::vector<std::string> problems = std::move(found.value());
    const struct {
        const char* sql;
        const char* what;
    } checks[] = {
        {"SELECT count(*) FROM orders o WHERE o.paid <> (SELECT coalesce(sum(amount), 0) FROM payments p "
         "WHERE p.number = o.number)",
         " orders whose paid sum differs from their payments"},
        {"SELECT count(*) FROM orders o WHERE NOT EXISTS (SELECT 1 FROM versions v WHERE v.number = o.number)",
         " orders without a version"},
    };
    for (const auto& c : checks) {
        const Outcome<DbRows> n = db_->query(c.sql, DbParams());
        if (!n) return n.status();
        if (n->count() > 0 && n->integer(0, 0) != 0) problems.push_back(n->text(0, 0) + c.what);
    }
    return problems;
}

JournalStatus JournalStore::absorb(const OrderVersions& h) {
    if (h.bytes.size() != h.details.versions.size() || h.details.versions.empty())
        return journalError(JournalErrc::Refused, "an order without its versions");
    const int64_t number = h.details.summary.number;
    WriteTransaction t(*db_);
    if (!t.begun()) return t.begun();
    const OrderRecord& card = h.details.latest;
    const Outcome<DbRows> inserted = make(JournalChange::CopyOrder, cardParams(*db_, number, card));
    if (!inserted) return inserted.status();
    for (std::size_t i = 0; i < h.bytes.size(); ++i) {
        const VersionInfo& v = h.details.versions[i];
        // A version that came without an id of its own is named by where it was, so a second copy finds it.
        const std::string id = v.saveId.empty() ? "copied " + std::to_string(number) + "/" + std::to_string(v.id) +
                                                      "/" + std::to_string(v.savedAt)
                                                : v.saveId;
        if (Outcome<DbRows> r = make(JournalChange::CopyVersion, DbParams()
                                                                     .add(number)
                                                                     .add(v.savedAt)
                                                                     .text(v.filePath)
                                                                     .add(v.grandTotal)
                                                                     .bytes(h.bytes[i])
                                                                     .word(id));
            !r)
            return r.status();
    }
    // The n-th of equal statuses or payments is copied unless this journal has n of them already.
    std::map<std::tuple<int64_t, int64_t, std::string>, int64_t> seen;
    for (const StatusChange& s : h.details.statuses) {
        const int64_t nth = ++seen[{static_cast<int64_t>(s.status), s.at, "status"}];
        if (Outcome<DbRows> r = make(JournalChange::CopyStatus,
                                     DbParams().add(number).add(static_cast<int64_t>(s.status)).add(s.at).add(nth));
            !r)
            return r.status();
    }
    for (const Payment& p : h.details.payments) {
        const int64_t nth = ++seen[{p.amount, p.paidOn, "payment " + p.note}];
        if (Outcome<DbRows> r = make(JournalChange::CopyPayment,
                                     DbParams().add(number).add(p.amount).add(p.paidOn).text(p.note).add(nth));
            !r)
            return r.status();
    }
    const bool held = inserted->count() == 0;
    bool written = !held;
    if (held && card.savedAt > 0) {
        const Outcome<DbRows> r = make(JournalChange::CopyCard, cardParams(*db_, number, card));
        if (!r) return r.status();
        written = r->count() > 0;
    }
    if (written)
        if (JournalStatus s = indexOrder(number, card.card); !s) return s;
    if (JournalStatus s = raiseCounter(numberAfter(number)); !s) return s;
    return t.commit();
}

} // namespace dalvex::journal
