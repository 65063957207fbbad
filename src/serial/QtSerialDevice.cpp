#include "serial/QtSerialDevice.h"

#include <QSerialPort>
#include <QString>

namespace selvir {
namespace {

bool toQtDataBits(int bits, QSerialPort::DataBits& out) {
    switch (bits) {
    case 5:
        out = QSerialPort::Data5;
        return true;
    case 6:
        out = QSerialPort::Data6;
        return true;
    case 7:
        out = QSerialPort::Data7;
        return true;
    case 8:
        out = QSerialPort::Data8;
        return true;
    default:
        return false;
    }
}

QSerialPort::Parity toQtParity(SerialParity parity) {
    switch (parity) {
    case SerialParity::Odd:
        return QSerialPort::OddParity;
    case SerialParity::Even:
        return QSerialPort::EvenParity;
    case SerialParity::Mark:
        return QSerialPort::MarkParity;
    case SerialParity::Space:
        return QSerialPort::SpaceParity;
    case SerialParity::None:
        break;
    }
    return QSerialPort::NoParity;
}

const char* parityName(SerialParity parity) {
    switch (parity) {
    case SerialParity::Odd:
        return "Odd";
    case SerialParity::Even:
        return "Even";
    case SerialParity::Mark:
        return "Mark";
    case SerialParity::Space:
        return "Space";
    case SerialParity::None:
        break;
    }
    return "None";
}

} // namespace

QtSerialDevice::QtSerialDevice() = default;

QtSerialDevice::~QtSerialDevice() {
    close();
}

bool QtSerialDevice::open(const std::string& path, const SerialLineSettings& settings) {
    close();
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    if (settings.baudRate <= 0) {
        openError_ = "baud rate " + std::to_string(settings.baudRate) + " is not valid";
        return false;
    }
    if (!toQtDataBits(settings.dataBits, dataBits)) {
        openError_ = std::to_string(settings.dataBits) + " data bits are not valid";
        return false;
    }
    auto port = std::make_unique<QSerialPort>();
    // A name starting with "/" (or "\\.\") is taken as the device path itself.
    port->setPortName(QString::fromStdString(path));
    port->setBaudRate(settings.baudRate);
    port->setDataBits(dataBits);
    port->setParity(QSerialPort::NoParity);
    port->setFlowControl(QSerialPort::NoFlowControl);
    // POSIX terminals have no one-and-a-half stop bits; two is the nearest the line can do.
#ifdef Q_OS_WIN
    port->setStopBits(settings.stopBits == SerialStopBits::OneAndHalf ? QSerialPort::OneAndHalfStop
                      : settings.stopBits == SerialStopBits::Two      ? QSerialPort::TwoStop
                                                                      : QSerialPort::OneStop);
#else
    port->setStopBits(settings.stopBits == SerialStopBits::One ? QSerialPort::OneStop : QSerialPort::TwoStop);
#endif
    if (!port->open(QIODevice::ReadWrite)) {
        openError_ = port->errorString().toStdString();
        return false;
    }
    openError_.clear();
    openWarning_.clear();
    // Best effort, never an open failure; but a parity the device refuses is said, so the surveyor
    // does not take a port running without it for one running with it. The modem lines stay silent:
    // a pseudo-terminal has none.
    if (settings.parity != SerialParity::None && !port->setParity(toQtParity(settings.parity))) {
        openWarning_ = "the device refused parity " + std::string(parityName(settings.parity)) + " (" +
                       port->errorString().toStdString() + "); it runs without parity";
    }
    port->setDataTerminalReady(settings.dtrOn);
    port->setRequestToSend(settings.rtsOn);
    port->clearError();
    port->setReadBufferSize(kReadBufferBytes);
    QObject::connect(port.get(), &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
            markFailed();
        }
    });
    port_ = std::move(port);
    failed_ = false;
    return true;
}

void QtSerialDevice::markFailed() {
    // The port is only closed here, not destroyed: we may be inside its own signal. Closing stops its
    // read notifier, which would otherwise fire without end on a hung-up line and spin the CPU.
    failed_ = true;
    if (port_ && port_->isOpen()) {
        port_->close();
    }
}

void QtSerialDevice::close() {
    if (port_) {
        port_->disconnect();
        if (port_->isOpen()) {
            port_->close();
        }
        port_.reset();
    }
    failed_ = false;
}

long long QtSerialDevice::queuedBytes() {
    if (!port_ || failed_ || !port_->isOpen()) {
        return -1;
    }
    return port_->bytesAvailable();
}

long long QtSerialDevice::read(char* data, std::size_t maxBytes) {
    if (!port_ || failed_ || !port_->isOpen()) {
        return -1;
    }
    return port_->read(data, static_cast<qint64>(maxBytes));
}

long long QtSerialDevice::write(const char* data, std::size_t size, int timeoutMs) {
    if (!port_ || failed_ || !port_->isOpen()) {
        return -1;
    }
    const qint64 written = port_->write(data, static_cast<qint64>(size));
    if (written > 0) {
        port_->waitForBytesWritten(timeoutMs);
    }
    return written;
}

void QtSerialDevice::purge() {
    if (port_ && !failed_ && port_->isOpen()) {
        port_->clear(QSerialPort::AllDirections);
        // Bytes Qt already took from the system are in its own buffer: drop them too.
        port_->readAll();
    }
}

} // namespace selvir
