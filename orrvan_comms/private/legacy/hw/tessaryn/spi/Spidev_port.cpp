#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spidev_port.h"

#include <cstdint>
#include <fcntl.h>
#include <linux/spi/spidev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace Tessaryn_slave_spi {

Spidev_port::~Spidev_port()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool Spidev_port::open(const char* path)
{
    m_fd = ::open(path, O_RDWR);
    return m_fd >= 0;
}

bool Spidev_port::write_mode(uint8_t mode) { return ioctl(m_fd, SPI_IOC_WR_MODE, &mode) != -1; }
bool Spidev_port::read_mode(uint8_t& mode) { return ioctl(m_fd, SPI_IOC_RD_MODE, &mode) != -1; }
bool Spidev_port::write_bits_per_word(uint8_t bits) { return ioctl(m_fd, SPI_IOC_WR_BITS_PER_WORD, &bits) != -1; }
bool Spidev_port::read_bits_per_word(uint8_t& bits) { return ioctl(m_fd, SPI_IOC_RD_BITS_PER_WORD, &bits) != -1; }
bool Spidev_port::write_max_speed_hz(uint32_t hz) { return ioctl(m_fd, SPI_IOC_WR_MAX_SPEED_HZ, &hz) != -1; }
bool Spidev_port::read_max_speed_hz(uint32_t& hz) { return ioctl(m_fd, SPI_IOC_RD_MAX_SPEED_HZ, &hz) != -1; }

bool Spidev_port::transfer(const void* tx, void* rx, unsigned length, uint32_t speed_hz, uint8_t bits_per_word)
{
    spi_ioc_transfer transfer{};
    transfer.tx_buf = uint64_t(uintptr_t(tx));
    transfer.rx_buf = uint64_t(uintptr_t(rx));
    transfer.len = length;
    transfer.speed_hz = speed_hz;
    transfer.bits_per_word = bits_per_word;
    return ioctl(m_fd, SPI_IOC_MESSAGE(1), &transfer) >= 1;
}

bool Spidev_port::close()
{
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
}

}
