#include "Fenwick.h"

void Fenwick::Construir(const std::vector<int>& valores) {
    const int n = static_cast<int>(valores.size());
    v_Arbol.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        v_Arbol[i] += valores[i];
        const int padre = (i | (i + 1));
        if (padre < n) v_Arbol[padre] += v_Arbol[i];
    }
}

void Fenwick::Sumar(int i, int delta) {
    const int n = Tamano();
    for (; i < n; i |= i + 1) v_Arbol[i] += delta;
}

void Fenwick::Agregar(int valor) {
    const int i = Tamano();
    // Node i covers [i & (i + 1), i]: its sum is the value plus the earlier part.
    const int desde = i & (i + 1);
    v_Arbol.push_back(valor + (Prefijo(i) - Prefijo(desde)));
}

void Fenwick::QuitarUltimo() { v_Arbol.pop_back(); }

long long Fenwick::Prefijo(int n) const {
    long long suma = 0;
    for (int i = n - 1; i >= 0; i = (i & (i + 1)) - 1) suma += v_Arbol[i];
    return suma;
}

int Fenwick::Buscar(long long pos, long long* prefijo) const {
    // Largest k with Prefijo(k) <= pos.
    const long long inicial = pos;
    int k = 0;
    int paso = 1;
    while (paso * 2 <= Tamano()) paso *= 2;
    for (; paso > 0; paso /= 2) {
        const int sig = k + paso;
        if (sig <= Tamano() && v_Arbol[sig - 1] <= pos) {
            k = sig;
            pos -= v_Arbol[sig - 1];
        }
    }
    *prefijo = inicial - pos;
    return k;
}
