#pragma once
#include <vector>

// Prefix sums of line lengths with O(log n) update and search, so that index
// <-> line conversions stay cheap on texts of 100,000 lines that are rewritten
// line by line.
class Fenwick {
public:
    void Construir(const std::vector<int>& valores);
    int Tamano() const { return static_cast<int>(v_Arbol.size()); }
    void Sumar(int i, int delta);
    void Agregar(int valor);   // a new last element
    void QuitarUltimo();
    long long Prefijo(int n) const;   // sum of elements [0, n)
    // Number of leading elements whose sum is <= pos (the element holding
    // pos), and the sum of those elements in *prefijo.
    int Buscar(long long pos, long long* prefijo) const;

private:
    std::vector<long long> v_Arbol;   // 1-based tree stored 0-based
};
