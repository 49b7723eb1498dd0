#pragma once
// The fast Fourier transform shared by the spectral filters, the spectral view and the spectrum
// analyzer. Real and imaginary parts live in two separate arrays and are transformed in place.
// Both transforms use the kernel e^{+i theta} and do not scale.
#include <cstdint>

namespace tarkel {

// True for 1, 2, 4, 8 ...
inline bool IsPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

// Complex transform of n values (n a power of two): bit-reversal permutation, then radix-2
// butterflies of stage lengths 1, 2, 4 ... n/2 whose twiddle factor is advanced by rotation.
// Z[k] = sum over j of z[j] e^{+2 pi i j k / n}. Does nothing when n is not a power of two.
void ComplexFft(uint32_t n, double* re, double* im);

// Spectrum of 2n real samples packed as n complex values: the even samples in `re`, the odd
// samples in `im` (n a power of two). On return, for k = 1 ... n-1, (re[k], im[k]) is bin k
// X[k] = sum over j of x[j] e^{+2 pi i j k / 2n}; re[0] holds the sum of all samples (bin 0)
// and im[0] the Nyquist value (bin n, the alternating sum). Does nothing when n is not a power
// of two.
void RealFft(uint32_t n, double* re, double* im);

}  // namespace tarkel
