#pragma once
// The item names that carry meaning: totals, the opening and closing cash rows, and the
// section headings. Every other name is an ordinary line item.

#include <string_view>

namespace tallowmere::item_name {

inline constexpr std::string_view kCashOnHand = "Cash on Hand (beginning of month)";
inline constexpr std::string_view kCashReceipts = "CASH RECEIPTS";
inline constexpr std::string_view kCashSales = "Cash Sales";
inline constexpr std::string_view kTotalCashReceipts = "TOTAL CASH RECEIPTS";
inline constexpr std::string_view kTotalCashAvailable = "Total Cash Available (before cash out)";
inline constexpr std::string_view kCashPaidOut = "CASH PAID OUT";
inline constexpr std::string_view kPurchases = "Purchases (merchandise)";
inline constexpr std::string_view kSubtotal = "SUBTOTAL";
inline constexpr std::string_view kTotalCashPaidOut = "TOTAL CASH PAID OUT";
inline constexpr std::string_view kCashPosition = "Cash Position (end of month)";
inline constexpr std::string_view kOperatingData = "ESSENTIAL OPERATING DATA (non cash flow information)";

}  // namespace tallowmere::item_name
