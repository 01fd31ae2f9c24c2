#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kora::test {

// Runs `body` as an ordinary user. Root writes into any folder, so a test of what a user may not
// do runs, under root, in a child process that has become "nobody"; `folder` (made by the test)
// is handed to that user first. `body` returns what went wrong, or an empty string.
inline std::string runUnprivileged(const QString &folder, const std::function<std::string()> &body)
{
    if (geteuid() != 0)
        return body();
    const passwd *nobody = getpwnam("nobody");
    if (!nobody)
        return "there is no user nobody";
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    if (chown(folder.toLocal8Bit().constData(), uid, gid) != 0)
        return "cannot hand " + folder.toStdString() + " to nobody";
    int channel[2];
    if (pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child < 0)
        return "fork failed";
    if (child == 0) {
        close(channel[0]);
        std::string result;
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0 || geteuid() == 0)
            result = "cannot become nobody";
        else
            result = body();
        if (result.empty())
            result = "ok";
        const ssize_t written = write(channel[1], result.data(), result.size());
        _exit(written == ssize_t(result.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, size_t(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the unprivileged child failed: " + result;
    return result == "ok" ? std::string() : result;
}

} // namespace kora::test
