#pragma once

#include <QString>

namespace kora {

// Where "Datum a čas" finds its format: the options' date format box, read at each use.
class DateFormatSource
{
public:
    static constexpr const char16_t *kDesignFormat = u"yyyy-mm-dd hh:nn:ss";

    virtual ~DateFormatSource() = default;
    virtual QString dateTimeFormat() const = 0;
};

} // namespace kora
