#pragma once
// Named mutexes between programs of one user, as the single-instance checks
// use them: a name is held by at most one process at a time and is given up
// when its holder ends, however it ends.
//
// A name is a lock file "mutex-<name>.lock" in the runtime folder, held with
// flock. The kernel drops the lock when the last descriptor of the holder
// closes, so a crashed or killed holder never leaves the name taken. The
// files themselves stay behind: removing a lock file while another process
// is about to lock it would let two processes hold "the same" name.

#include <string>

namespace platform {

class NamedMutex final {
public:
    // True while some process (this one included) holds the name. A lock
    // file without a holder does not count. Throws std::invalid_argument for
    // an unusable name and std::system_error when the runtime folder cannot
    // be read.
    static bool Exists(const std::string& name);

    // Takes the name when nobody holds it. When another holder has it the
    // object is made all the same and Held() is false, as a Windows mutex
    // created over an existing one. Throws as Exists does, and when the lock
    // file cannot be created.
    explicit NamedMutex(std::string name);
    ~NamedMutex();

    NamedMutex(NamedMutex&& other) noexcept;
    NamedMutex& operator=(NamedMutex&& other) noexcept;
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    bool Held() const { return fd_ >= 0; }
    const std::string& Name() const { return name_; }

    // Gives the name up before the object dies; does nothing when not held.
    void Release() noexcept;

private:
    std::string name_;
    int fd_ = -1;
};

}  // namespace platform
