#pragma once
// The silent abort: a control that has already told the user what is wrong
// stops the operation that asked it for its value. The handler at the edge
// of that operation catches it and shows nothing more.

#include <exception>

class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
