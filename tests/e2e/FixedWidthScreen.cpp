#include "e2e/FixedWidthScreen.h"

#include <algorithm>
#include <cstdlib>

FixedWidthScreen::FixedWidthScreen(int width, int height)
    : columns(width), rows(height), cells(static_cast<std::size_t>(height), std::string(width, ' ')) {}

void FixedWidthScreen::write(std::string_view bytes) {
    for (const char character : bytes) {
        if (!sequence.empty()) {
            sequence += character;
            const bool csi = sequence[1] == '[';
            if (!csi || (sequence.size() > 2 && character >= 0x40 && character <= 0x7e)) {
                // Parameters as "n" or "n;m"; a '?' (private modes) makes them no count.
                const char* parameters = sequence.c_str() + 2;
                const int first = std::atoi(parameters);
                if (csi && *parameters != '?') {
                    control(character, first, std::max(first, 1));
                }
                sequence.clear();
            }
        } else if (character == '\x1b') {
            sequence = character;
        } else {
            put(character);
        }
    }
}

void FixedWidthScreen::put(char character) {
    switch (character) {
    case '\r':
        x = 0;
        wrapPending = false;
        return;
    case '\n':
        lineFeed();
        wrapPending = false;
        return;
    case '\b':
        x = std::max(x - 1, 0);
        wrapPending = false;
        return;
    default:
        break;
    }
    if (static_cast<unsigned char>(character) < 0x20) {
        return;
    }
    if (wrapPending) {
        x = 0;
        lineFeed();
        wrapPending = false;
    }
    cells[y][x] = character;
    if (x + 1 < columns) {
        ++x;
    } else {
        wrapPending = true;
    }
}

void FixedWidthScreen::lineFeed() {
    if (y + 1 < rows) {
        ++y;
        return;
    }
    cells.erase(cells.begin());
    cells.emplace_back(columns, ' ');
}

void FixedWidthScreen::control(char final, int first, int count) {
    wrapPending = false;
    switch (final) {
    case 'A':
        y = std::max(y - count, 0);
        break;
    case 'B':
        y = std::min(y + count, rows - 1);
        break;
    case 'C':
        x = std::min(x + count, columns - 1);
        break;
    case 'D':
        x = std::max(x - count, 0);
        break;
    case 'G':
        x = std::min(count, columns) - 1;
        break;
    case 'H':
        x = y = 0;  // only ever home here
        break;
    case 'J':
        erase(y, first == 2 ? 0 : x, columns);
        for (int row = first == 2 ? 0 : y + 1; row < rows; ++row) {
            erase(row, 0, columns);
        }
        break;
    case 'K':
        erase(y, x, columns);
        break;
    case 'P':
        cells[y].erase(x, std::min(count, columns - x)).resize(columns, ' ');
        break;
    default:
        break;
    }
}

void FixedWidthScreen::erase(int row, int from, int to) {
    std::fill(cells[row].begin() + from, cells[row].begin() + to, ' ');
}

void FixedWidthScreen::resize(int width) {
    for (std::string& row : cells) {
        row.resize(width, ' ');
    }
    columns = width;
    x = std::min(x, columns - 1);
    wrapPending = false;
}

std::vector<std::string> FixedWidthScreen::lines() const {
    std::vector<std::string> shown;
    for (const std::string& row : cells) {
        shown.push_back(row.substr(0, row.find_last_not_of(' ') + 1));
    }
    while (!shown.empty() && shown.back().empty()) {
        shown.pop_back();
    }
    return shown;
}
