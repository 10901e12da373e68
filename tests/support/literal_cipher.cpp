#include "support/literal_cipher.h"

#include <QFile>
#include <cmath>
#include <cstdio>

namespace literal {

std::uint8_t keyByte(const std::array<std::uint8_t, 8>& P, const std::array<std::uint8_t, 8>& Q, const Codes& C) {
    int w[8];
    for (int i = 0; i < 8; ++i)
        w[i] = P[i] + Q[i];
    double R = 0;
    for (int i = 0; i < 8; ++i) {
        const int c = C[i];
        const int q = c / 10;
        const int d = c % 10;
        const int wi = w[i];
        if (c == 0)
            continue;
        long double term = 0;
        switch (q) {
        case 0:
            term = d;
            break;
        case 1:
            term = d * wi;
            break;
        case 2:
            term = -(d * wi);
            break;
        case 3:
            term = expl(d * logl((wi % 2) + 1));
            break;
        case 4:
            term = -expl(d * logl((wi % 2) + 1));
            break;
        case 5:
            term = expl((wi % 3) * logl(d + 1));
            break;
        case 6:
            term = -expl((wi % 3) * logl(d + 1));
            break;
        case 7:
            term = c * sinl(wi);
            break;
        case 8:
            term = -(c * sinl(wi));
            break;
        case 9:
            term = c * cosl(wi);
            break;
        case 10:
            term = -(c * cosl(wi));
            break;
        case 11:
            term = c * logl(wi + 1);
            break;
        case 12:
            term = -(c * logl(wi + 1));
            break;
        case 13:
            term = c * expl((wi % 10) + 1);
            break;
        case 14:
            term = -(c * expl((wi % 10) + 1));
            break;
        case 15:
            term = d * wi * wi;
            break;
        case 16:
            term = -(d * wi * wi);
            break;
        }
        R = static_cast<double>(static_cast<long double>(R) + term);
    }
    return static_cast<std::uint8_t>(std::llrint(R) & 0xFF);
}

namespace {

struct State {
    std::array<std::uint8_t, 8> X{};
    std::array<std::uint8_t, 8> Y{};

    std::uint8_t step(std::uint8_t in, const Codes& codes, bool encrypt) {
        const auto P = X;
        for (int i = 7; i > 0; --i)
            X[i] = X[i - 1];
        X[0] = in;
        const auto Q = Y;
        for (int i = 7; i > 0; --i)
            Y[i] = Y[i - 1];
        const std::uint8_t k = keyByte(P, Q, codes);
        Y[0] = encrypt ? static_cast<std::uint8_t>(X[0] + k) : static_cast<std::uint8_t>(X[0] - k);
        return Y[0];
    }
};

} // namespace

QByteArray cipher(const QByteArray& data, const Codes& codes, bool encrypt) {
    State state;
    QByteArray out(data.size(), '\0');
    for (qsizetype n = 0; n < data.size(); ++n)
        out[n] = static_cast<char>(state.step(static_cast<std::uint8_t>(data[n]), codes, encrypt));
    return out;
}

bool cipherFile(const QString& path, const Codes& codes, bool encrypt, const std::function<void()>& afterByte) {
    const QByteArray inputName = QFile::encodeName(path);
    const QByteArray outputName = inputName + ".enc";
    std::FILE* in = std::fopen(inputName.constData(), "r+b");
    if (!in)
        return false;
    std::FILE* out = std::fopen(outputName.constData(), "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    State state;
    bool ok = true;
    for (int c; (c = std::fgetc(in)) != EOF;) {
        if (std::fputc(state.step(static_cast<std::uint8_t>(c), codes, encrypt), out) == EOF) {
            ok = false;
            break;
        }
        if (afterByte)
            afterByte();
    }
    ok = !std::ferror(in) && ok;
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    return ok && std::rename(outputName.constData(), inputName.constData()) == 0;
}

} // namespace literal
