#pragma once
// One pseudo-terminal pair standing in for a serial device. The program opens the slave path (what it
// sees as its port); the simulator writes to and reads from the master. The slave is raw (no echo, no
// line editing) and the simulator keeps its own slave descriptor open, so the pair survives the
// program closing and reopening its port. Writes never block: when the program does not read and the
// queue is full the bytes are dropped, as on a real line nobody listens to.

#include <string>
#include <string_view>

namespace selvir::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal() { close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool open(std::string* error = nullptr);
    // Closes both ends: a program holding the slave sees its device vanish (hang-up).
    void close();
    bool isOpen() const { return master_ >= 0; }

    const std::string& slavePath() const { return slavePath_; }
    int masterFd() const { return master_; }

    // Bytes accepted (the rest dropped), or -1 when closed.
    long write(std::string_view bytes);
    // Everything the program has written so far (empty when nothing).
    std::string readAvailable();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace selvir::sim
