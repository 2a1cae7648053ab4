#pragma once

#include <QString>

#include <functional>
#include <optional>

// Permission bits do not stop root, so a test of a read-only file or folder runs its work as an
// ordinary user: in this process when it is one; as root, in a child process that becomes the
// user "nobody" (uid and gid 65534), which the files the work needs must let in.
namespace OrdinaryUser {

constexpr unsigned kNobody = 65534;

// What work returned; nullopt when no ordinary user could run it here.
std::optional<QString> run(const std::function<QString()> &work);

// As root, makes the file or folder the ordinary user's own (nothing to do otherwise).
bool give(const QString &path);

} // namespace OrdinaryUser
