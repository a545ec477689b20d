#pragma once
// Order numbers with a journal: the journal keeps the next number, the counter file is kept in step with it
// (and serves alone while the journal cannot be opened). Back ends call these inside their own transaction,
// which keeps every other program with the journal out until the claim is written; the counter's lock keeps
// out those without it.
#include "orders/order_numbers.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace dalvex::journal {

// Takes the number by the counter's rule (an offered number another program took meanwhile gives way to the
// next one; a number typed by hand is kept), with the journal's next number as the counter's floor.
OrderNumberClaim claimInStep(const std::filesystem::path& configFolder, int64_t journalNext,
                             const std::string& cardNumber, const std::string& offered);
// The journal's next number after a claim: past the number taken even when the counter file could not be
// written.
int64_t journalNextAfter(const OrderNumberClaim& claim);
// The counter file's value for a journal number (which may be larger than the file can say).
int32_t counterValue(int64_t journalNumber);

} // namespace dalvex::journal
