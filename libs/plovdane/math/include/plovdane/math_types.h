#pragma once
// Small value types: vectors and matrices of contiguous elements.
#include <cmath>
#include <cstddef>

namespace pld_math {

// Implementation selector; the portable C++ implementation is the only one.
enum CPPImplementation { CPP_PORTABLE = 0 };

template <typename T, std::size_t N, CPPImplementation Impl = CPP_PORTABLE>
struct vector {
    T elements[N]{};

    constexpr vector() = default;

    template <typename... A>
        requires(sizeof...(A) == N && N > 1)
    constexpr vector(A... values) : elements{static_cast<T>(values)...} {}

    constexpr T& operator[](std::size_t i) { return elements[i]; }
    constexpr const T& operator[](std::size_t i) const { return elements[i]; }
    static constexpr std::size_t size() { return N; }
    T* data() { return elements; }
    const T* data() const { return elements; }

    constexpr vector& operator+=(const vector& o)
    {
        for (std::size_t i = 0; i < N; ++i) elements[i] += o.elements[i];
        return *this;
    }
    constexpr vector& operator-=(const vector& o)
    {
        for (std::size_t i = 0; i < N; ++i) elements[i] -= o.elements[i];
        return *this;
    }
    constexpr vector& operator*=(T s)
    {
        for (std::size_t i = 0; i < N; ++i) elements[i] *= s;
        return *this;
    }

    friend constexpr vector operator+(vector a, const vector& b) { return a += b; }
    friend constexpr vector operator-(vector a, const vector& b) { return a -= b; }
    friend constexpr vector operator*(vector a, T s) { return a *= s; }
    friend constexpr vector operator*(T s, vector a) { return a *= s; }
    friend constexpr bool operator==(const vector& a, const vector& b)
    {
        for (std::size_t i = 0; i < N; ++i)
            if (!(a.elements[i] == b.elements[i])) return false;
        return true;
    }
};

// Rows x Cols elements in row-major order, reached by a linear index taken
// modulo the element count.
template <typename T, std::size_t Rows, std::size_t Cols, CPPImplementation Impl = CPP_PORTABLE>
struct matrix {
    static constexpr std::size_t count = Rows * Cols;
    T elements[count]{};

    constexpr matrix() = default;

    template <typename... A>
        requires(sizeof...(A) == count)
    constexpr matrix(A... values) : elements{static_cast<T>(values)...} {}

    constexpr T& operator[](std::size_t i) { return elements[i % count]; }
    constexpr const T& operator[](std::size_t i) const { return elements[i % count]; }
    constexpr T& operator()(std::size_t row, std::size_t col) { return elements[row * Cols + col]; }
    constexpr const T& operator()(std::size_t row, std::size_t col) const { return elements[row * Cols + col]; }
    T* data() { return elements; }
    const T* data() const { return elements; }

    static constexpr matrix identity() requires(Rows == Cols)
    {
        matrix m;
        for (std::size_t i = 0; i < Rows; ++i) m(i, i) = T(1);
        return m;
    }

    friend constexpr bool operator==(const matrix& a, const matrix& b)
    {
        for (std::size_t i = 0; i < count; ++i)
            if (!(a.elements[i] == b.elements[i])) return false;
        return true;
    }
};

template <typename T, std::size_t N, CPPImplementation I>
constexpr T dot(const vector<T, N, I>& a, const vector<T, N, I>& b)
{
    T sum{};
    for (std::size_t i = 0; i < N; ++i) sum += a[i] * b[i];
    return sum;
}

template <typename T, CPPImplementation I>
constexpr vector<T, 3, I> cross(const vector<T, 3, I>& a, const vector<T, 3, I>& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

template <typename T, std::size_t N, CPPImplementation I>
T length(const vector<T, N, I>& v)
{
    return std::sqrt(dot(v, v));
}

// Row-major product: element (i, j) is the sum over k of a(i, k) b(k, j).
template <typename T, std::size_t R, std::size_t K, std::size_t C, CPPImplementation I>
constexpr matrix<T, R, C, I> operator*(const matrix<T, R, K, I>& a, const matrix<T, K, C, I>& b)
{
    matrix<T, R, C, I> product;
    for (std::size_t i = 0; i < R; ++i)
        for (std::size_t j = 0; j < C; ++j) {
            T sum{};
            for (std::size_t k = 0; k < K; ++k) sum += a(i, k) * b(k, j);
            product(i, j) = sum;
        }
    return product;
}

using vec3f = vector<float, 3>;
using vec4f = vector<float, 4>;
using mat3f = matrix<float, 3, 3>;
using mat4f = matrix<float, 4, 4>;

}  // namespace pld_math
