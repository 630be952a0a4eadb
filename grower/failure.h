#pragma once

#include <string>
#include <utility>

// Why a run ends without its outputs: the exit status (exit_status.h) and
// the one line that says why. Thrown by every step of the grower and caught
// once, in main, which prints it after the program's name; the files not
// yet renamed into place are removed on the way out.
class Failure {
public:
    Failure(int status, std::string message)
        : status(status)
        , message(std::move(message))
    {
    }

    int Status() const { return status; }
    std::string const& Message() const { return message; }

private:
    int status;
    std::string message;
};

// A command line the grower cannot take, with the hint every such line ends in.
Failure CommandLineFault(std::string const& reason);

// A file that cannot be written, for the system's reason (an errno value;
// 0 when the system gave none): "cannot write 'NAME': REASON".
Failure WriteFault(std::string const& name, int errorNumber);

// A file its encoder could not finish, for the encoder's own reason.
Failure EncodeFault(std::string const& name, std::string const& reason);
