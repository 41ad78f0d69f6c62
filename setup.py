"""Builds the kobal extension with the project's own CMake build, as pybind11's cmake_example
does: no list of sources here, only the CMake target, copied where setuptools wants it."""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).parent.resolve()


def project_version():
    """The product version, from the one place it lives."""
    cmake = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(Kobal VERSION ([0-9.]+)", cmake).group(1)


class CMakeExtension(Extension):
    def __init__(self, name, target):
        super().__init__(name, sources=[])
        self.target = target


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build),
            f"-DPython3_EXECUTABLE={sys.executable}",
            "-DCMAKE_BUILD_TYPE=Release",
            "-DKOBAL_BUILD_PYTHON=ON",
            "-DKOBAL_BUILD_APP=OFF",
            "-DKOBAL_BUILD_CLI=OFF",
            "-DKOBAL_BUILD_TESTS=OFF",
        ]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        try:  # pybind11 from the package index (an isolated build) brings its CMake files
            import pybind11

            configure.append(f"-Dpybind11_DIR={pybind11.get_cmake_dir()}")
        except ImportError:
            pass  # Debian's pybind11-dev: CMake finds it by itself
        jobs = self.parallel or os.cpu_count() or 1
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", ext.target, "-j", str(jobs)],
                       check=True)
        built = list((build / "python" / "kobal").glob("_kobal.*.so")) + \
            list((build / "python" / "kobal").glob("_kobal.so"))
        if len(built) != 1:
            raise RuntimeError(f"expected one built module in {build}/python/kobal, found {built}")
        destination = pathlib.Path(self.get_ext_fullpath(ext.name))
        destination.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built[0], destination)


setup(
    version=project_version(),
    packages=["kobal"],
    package_dir={"": "python"},
    package_data={"kobal": ["py.typed", "*.pyi"]},
    ext_modules=[CMakeExtension("kobal._kobal", "KobalPython")],
    cmdclass={"build_ext": CMakeBuild},
    zip_safe=False,
)
