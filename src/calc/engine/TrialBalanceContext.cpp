#include "calc/engine/TrialBalanceContext.h"

TTrialBalanceContext::TTrialBalanceContext(std::span<TBALANCE> rows, int rowsHigh, std::span<TQSORT> order,
                                           int orderHigh)
    : Rows(rows), RowsHigh(rowsHigh), Order(order), OrderHigh(orderHigh)
{
    if (rowsHigh < 0 || static_cast<std::size_t>(rowsHigh) >= rows.size())
        throw std::out_of_range("last row index " + std::to_string(rowsHigh) + " outside the rows");
    if (orderHigh < 0 || static_cast<std::size_t>(orderHigh) >= order.size())
        throw std::out_of_range("last order index " + std::to_string(orderHigh) + " outside the order entries");
}

TBALANCE& TTrialBalanceContext::Row(int index)
{
    if (!HasRow(index))
        throw std::out_of_range("balance row " + std::to_string(index) + " outside 0 to " + std::to_string(RowsHigh));
    return Rows[static_cast<std::size_t>(index)];
}

TQSORT& TTrialBalanceContext::OrderEntry(int index)
{
    if (!HasOrderEntry(index))
        throw std::out_of_range("order entry " + std::to_string(index) + " outside 0 to " + std::to_string(OrderHigh));
    return Order[static_cast<std::size_t>(index)];
}
