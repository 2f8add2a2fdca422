#pragma once
// The one owning handle of the layer for the client's interfaces.
//
// A handle holds one reference. Objects that live on the server end their
// own way before the reference goes: an attachment or a service detaches, a
// transaction rolls back, a cursor closes, a statement is freed, a blob is
// cancelled; the others are released (metadata) or disposed of (parameter
// block builders, which are not reference-counted). In this client
// an ending call that works gives the reference up itself; one that fails
// leaves it to be released, and the handle does that, so whichever way the
// call goes the object is gone afterwards. Internal to the database layer.

#include "platform/db/FbClient.h"

#include <type_traits>

namespace db::detail {

template <typename T>
class Handle final {
public:
    Handle() = default;
    explicit Handle(T* object) noexcept : object_(object) {}
    ~Handle() { End(); }
    Handle(Handle&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            End();
            object_ = other.object_;
            other.object_ = nullptr;
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    T* get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    // Ends the object its own way and throws the server's error, if any;
    // the handle is empty afterwards either way.
    void Finish()
    {
        if (object_ == nullptr)
            return;
        T* object = object_;
        object_ = nullptr;
        try {
            Status status;
            EndOnServer(object, status);
        } catch (...) {
            Drop(object);
            throw;
        }
    }

    // The same for destructors and cleanup paths: errors are dropped.
    void End() noexcept
    {
        try {
            Finish();
        } catch (...) {
        }
    }

    // Gives the reference up without asking the server (a connection that
    // is already gone).
    void Release() noexcept
    {
        if (object_ != nullptr)
            Drop(object_);
        object_ = nullptr;
    }

    // The caller's own ending call (a commit, a close that worked) has given
    // the reference up: only forget the pointer.
    void Disown() noexcept { object_ = nullptr; }

private:
    static void EndOnServer(T* object, Status& status)
    {
        if constexpr (std::is_same_v<T, Firebird::IAttachment> || std::is_same_v<T, Firebird::IService>)
            object->detach(&status);
        else if constexpr (std::is_same_v<T, Firebird::ITransaction>)
            object->rollback(&status);
        else if constexpr (std::is_same_v<T, Firebird::IResultSet>)
            object->close(&status);
        else if constexpr (std::is_same_v<T, Firebird::IStatement>)
            object->free(&status);
        else if constexpr (std::is_same_v<T, Firebird::IBlob>)
            object->cancel(&status);
        else
            Drop(object);
    }

    static void Drop(T* object) noexcept
    {
        if constexpr (std::is_base_of_v<Firebird::IReferenceCounted, T>)
            object->release();
        else
            object->dispose();
    }

    T* object_ = nullptr;
};

}  // namespace db::detail
